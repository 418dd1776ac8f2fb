// waxdrop-media song: not written yet.

#include <cstdio>

#include "tools/media/media_tool.h"

int media_song(int, char**) {
    std::fprintf(stderr, "waxdrop-media: the song check is not built yet\n");
    return 2;
}
