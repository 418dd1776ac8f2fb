#pragma once
// The software canvas: the 640 x 440 back buffer as 32-bit pixels in memory,
// the six sprite images, the score line's font, and a second buffer standing
// for the window. Tests, tools and the Linux shell draw through it.

#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "platform/soft/bmp.h"

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }
constexpr uint32_t hud_magenta = rgb(255, 0, 255);

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

// Open the score line's font: the file at path, or, when path is empty, the
// system's default sans-serif face. The face is set to a 20-pixel cell height.
bool soft_open_font(const std::string& path, std::string& error);
void soft_close_font();
// Width in pixels of text in the score line's font, and the font's line height.
int soft_text_width(const char16_t* text);
int soft_line_height();
