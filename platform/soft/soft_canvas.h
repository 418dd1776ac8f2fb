#pragma once
// The software canvas: the 640 x 440 back buffer as 32-bit pixels in memory,
// the six sprite images, the score line's font, and a second buffer standing
// for the window. Tests, tools and the Linux shell draw through it.

#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "platform/soft/bmp.h"
// The score line's font is opened and closed by whoever sets the canvas up.
#include "platform/soft/soft_font.h"

// The back buffer and the window copy, 0x00RRGGBB, row after row.
uint32_t* soft_back_buffer();
const uint32_t* soft_window_buffer();
// Draw into pixels (640 x 440, rows without padding) from now on, the same
// memory standing for the window; null returns to the canvas's own buffers.
void soft_draw_into(uint32_t* pixels);
// Number of frames requested so far.
uint64_t soft_frame_requests();
// Called by canvas_present after it has copied, so a shell can show the window
// copy; null for none.
void soft_set_present_hook(void (*hook)(const PaintRect& rect));

// Give a sprite image its pixels (the shell loads them once at start-up).
void soft_set_image(SpriteImage which, Image image);
// Load all six from the folder that holds the game's bitmaps; false (with
// the reason) when one of them cannot be read.
bool soft_load_images(const std::string& folder, std::string& error);
