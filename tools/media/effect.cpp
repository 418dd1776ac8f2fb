// waxdrop-media effect: not written yet.

#include <cstdio>

#include "tools/media/media_tool.h"

int media_effect(int, char**) {
    std::fprintf(stderr, "waxdrop-media: the effect check is not built yet\n");
    return 2;
}
