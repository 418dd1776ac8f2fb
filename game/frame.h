#pragma once
// One frame of the game: measure the time since the last one, move and draw
// every sprite list in a fixed order, draw the score line, show the picture
// and ask for the next frame. Window thread only, from the paint handler.

#include "platform/canvas.h"

// The longest step a frame takes, in seconds: a stall moves nothing further.
constexpr float max_time_step = 0.4f;

// The whole frame. Must run after new_game.
void frame_step(const PaintInfo& paint);
