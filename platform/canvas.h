#pragma once
// The drawing surface: the 640 x 440 back buffer every frame is drawn into,
// and the window it is shown in. Window thread only, called by the frame step.

#include <cstdint>

constexpr int field_width = 640;
constexpr int field_height = 440;

// The six sprite images, each kept for the whole run by the shell.
enum class SpriteImage : int { paddle, comb, bee_a, bee_b, bullet, ball };
constexpr int sprite_image_count = 6;

// A rectangle in field pixels, right and bottom exclusive.
struct PaintRect {
    int32_t left, top, right, bottom;
};

// What the shell hands to one frame: its window surface (opaque to the core)
// and the rectangle the system wants repainted.
struct PaintInfo {
    void* surface;
    PaintRect rect;
};

// Every pixel of the back buffer becomes black.
void canvas_clear();
// OR the image's top-left w x h pixels onto the back buffer at (x, y); the core
// has already truncated the sprite's float position toward zero. Pixels that
// fall outside the field are skipped.
void canvas_draw_sprite(SpriteImage image, int x, int y, int w, int h);
// The score line: magenta text on an opaque black box the size of its extent,
// centred horizontally and top-aligned in rows 0..19. Zero-terminated UTF-16.
void canvas_draw_score_line(const char16_t* text);
// Copy paint.rect of the back buffer to the same place of the window.
void canvas_present(const PaintInfo& paint);
// Ask for the next paint of the whole window, without erasing it.
void canvas_request_frame();
