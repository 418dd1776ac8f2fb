// waxdrop-media: for people who replace the game's media files. It reads a
// file exactly as the game would and says what the game would make of it.

#include <cstdio>
#include <cstring>

#include "tools/media/media_tool.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: waxdrop-media effect FILE\n"
                 "       waxdrop-media song [--summary] FILE\n"
                 "       waxdrop-media scores FILE\n"
                 "       waxdrop-media scores --write FILE NAME=SCORE NAME=SCORE NAME=SCORE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const char* command = argv[1];
    if (std::strcmp(command, "effect") == 0) return media_effect(argc - 2, argv + 2);
    if (std::strcmp(command, "song") == 0) return media_song(argc - 2, argv + 2);
    if (std::strcmp(command, "scores") == 0) return media_scores(argc - 2, argv + 2);
    return usage();
}
