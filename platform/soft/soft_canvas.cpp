#include "platform/soft/soft_canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/soft/soft_font.h"

namespace {

constexpr std::size_t field_pixels = static_cast<std::size_t>(field_width) * field_height;
uint32_t buffer_a[field_pixels];
uint32_t buffer_b[field_pixels];
// A present of the whole field swaps the two, as a page flip would: the
// window then holds the finished frame without a copy, and the back buffer
// holds an older one, which the next frame clears before drawing anything.
uint32_t* back = buffer_a;
uint32_t* window = buffer_b;
// Or one buffer a shell lends (its texture's memory), standing for both: the
// frame is drawn where it will be shown, and a present copies nothing.
Image images[sprite_image_count];
uint64_t frame_requests = 0;
void (*present_hook)(const PaintRect&) = nullptr;

const char* const image_files[sprite_image_count] = {"paddle.bmp", "comb.bmp",   "bee_a.bmp",
                                                     "bee_b.bmp",  "bullet.bmp", "ball.bmp"};

// One row of a blit. The image never lies in the back buffer, and saying so
// lets the compiler OR several pixels at a time.
void or_row(uint32_t* __restrict dst, const uint32_t* __restrict src, int n) {
    for (int i = 0; i < n; ++i) dst[i] |= src[i];
}

}  // namespace

uint32_t* soft_back_buffer() { return back; }
const uint32_t* soft_window_buffer() { return window; }
uint64_t soft_frame_requests() { return frame_requests; }
void soft_set_present_hook(void (*hook)(const PaintRect&)) { present_hook = hook; }

void soft_draw_into(uint32_t* pixels) {
    back = pixels ? pixels : buffer_a;
    window = pixels ? pixels : buffer_b;
}

void soft_set_image(SpriteImage which, Image image) { images[static_cast<int>(which)] = std::move(image); }

// Each image stands alone, as each of the Windows game's bitmap resources
// does: one that cannot be read leaves only its own sprites unseen.
bool soft_load_images(const std::string& folder, std::string& error) {
    error.clear();
    for (int i = 0; i < sprite_image_count; ++i) {
        std::string why;
        Image image;
        const bool loaded = load_bmp_file((folder + "/" + image_files[i]).c_str(), image, why);
        images[i] = std::move(image);
        if (!loaded) error += (error.empty() ? "" : "; ") + std::string(image_files[i]) + ": " + why;
    }
    return error.empty();
}

void canvas_clear() { std::memset(back, 0, field_pixels * sizeof(uint32_t)); }

void canvas_draw_sprite(SpriteImage which, int x, int y, int w, int h) {
    const Image& image = images[static_cast<int>(which)];
    // The blit reads the image from its top-left corner; nothing past its edge.
    w = std::min(w, image.width);
    h = std::min(h, image.height);
    const int x0 = std::max(x, 0), x1 = std::min(x + w, field_width);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, field_height);
    // Wholly outside (a bee that drifted off sideways): not even a pointer
    // into the buffer may be formed for it.
    if (x0 >= x1 || y0 >= y1) return;
    const int n = x1 - x0;
    for (int py = y0; py < y1; ++py)
        or_row(&back[py * field_width + x0], &image.pixels[static_cast<std::size_t>(py - y) * image.width + (x0 - x)], n);
}

void canvas_draw_score_line(const char16_t* text) {
    const ScoreLineImage& line = score_line_image(text);
    // Centred as DrawText centres: half the spare width, rounded down.
    const int left = (field_width - line.width) / 2;
    const int x0 = std::max(left, 0), x1 = std::min(left + line.width, field_width);
    const int rows = std::min(line.height, field_height);
    for (int y = 0; y < rows; ++y) {
        if (x1 <= x0) break;
        std::memcpy(&back[y * field_width + x0], &line.pixels[static_cast<std::size_t>(y) * line.width + (x0 - left)],
                    sizeof(uint32_t) * static_cast<std::size_t>(x1 - x0));
    }
}

void canvas_present(const PaintInfo& paint) {
    const PaintRect& r = paint.rect;
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, field_width);
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, field_height);
    if (back == window) {
        // Drawn in place: the window holds the picture already.
    } else if (x0 == 0 && y0 == 0 && x1 == field_width && y1 == field_height) {
        std::swap(back, window);
    } else {
        for (int y = y0; y < y1 && x0 < x1; ++y)
            std::memcpy(&window[y * field_width + x0], &back[y * field_width + x0],
                        sizeof(uint32_t) * static_cast<std::size_t>(x1 - x0));
    }
    if (present_hook) present_hook(r);
}

void canvas_request_frame() { ++frame_requests; }
