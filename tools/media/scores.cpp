// waxdrop-media scores: not written yet.

#include <cstdio>

#include "tools/media/media_tool.h"

int media_scores(int, char**) {
    std::fprintf(stderr, "waxdrop-media: the scores check is not built yet\n");
    return 2;
}
