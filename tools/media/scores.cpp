// waxdrop-media scores FILE: reads a score file the way the game does at
// start-up and prints the High Scores dialog's three lines.

#include <cstdio>

#include "platform/os/utf.h"
#include "scores/scores.h"
#include "tools/media/media_tool.h"

int media_scores(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: waxdrop-media scores FILE\n");
        return 2;
    }
    const std::u16string path = utf8_to_utf16(argv[0]);
    const bool loaded = load_scores_file(path.c_str());
    std::printf("result %s\n", loaded ? "loaded" : "defaults");
    for (const ScoreEntry& entry : score_table.entries) {
        char16_t line[high_score_line_capacity];
        format_high_score_line(entry, line);
        std::printf("%s\n", utf16_to_utf8(line).c_str());
    }
    return loaded ? 0 : 1;
}
