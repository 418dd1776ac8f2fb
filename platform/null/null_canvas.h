#pragma once
// A canvas that draws nothing and records what the frame asked for.

#include <string>
#include <vector>

#include "platform/canvas.h"

struct NullCanvas {
    struct Blit {
        SpriteImage image;
        int x, y, w, h;
    };
    int clears = 0;
    int presents = 0;
    int frame_requests = 0;
    std::vector<Blit> blits;     // since the last clear
    std::u16string score_line;   // the last one drawn
    PaintRect last_present{};
};
extern NullCanvas null_canvas;
