// The frame's picture on screen. The software canvas draws every frame
// straight into one of two streaming textures, locked between presents; a
// present unlocks it, copies it below the menu bar, draws the menu layer over
// it and presents at once (no vsync wait: frames are not capped), and the
// next frame is drawn into the other texture. So the last whole picture is
// always at hand for a repaint between frames: a box opened in the middle of
// a frame shows the field as it last was, never that frame half drawn.
// Where a texture's rows are padded, or a second texture cannot be had, the
// canvas keeps its own buffers and each present uploads the picture instead.

#include "platform/sdl/sdl_canvas.h"

#include "platform/sdl/sdl_layer.h"
#include "platform/sdl/sdl_window.h"
#include "platform/soft/soft_canvas.h"

namespace {

SDL_Renderer* renderer = nullptr;
SDL_Texture* textures[2] = {};
int drawing = 0;  // the texture lent to the canvas
int shown = -1;   // the texture presented last, whole
bool drawn_in_place = false;
uint64_t frames_served = 0;

// Lend a texture's memory to the canvas for the next frame.
void lend(int which) {
    drawing = which;
    void* pixels = nullptr;
    int pitch = 0;
    drawn_in_place = textures[1] && SDL_LockTexture(textures[which], nullptr, &pixels, &pitch) == 0;
    if (drawn_in_place && pitch != field_width * 4) {
        SDL_UnlockTexture(textures[which]);
        drawn_in_place = false;
    }
    soft_draw_into(drawn_in_place ? static_cast<uint32_t*>(pixels) : nullptr);
}

void show(int which) {
    const SDL_Rect field{0, menu_bar_height, field_width, field_height};
    SDL_RenderCopy(renderer, textures[which], nullptr, &field);
    layer_render();
    SDL_RenderPresent(renderer);
}

void present(const PaintRect&) {
    // A closing window shows nothing more. The frames that still finish as
    // the boxes' loops unwind, one per box left open, would otherwise each
    // draw every box still open, and the window would take seconds to go.
    if (!textures[0] || window_rules().closing()) return;
    if (!drawn_in_place) {
        SDL_UpdateTexture(textures[0], nullptr, soft_window_buffer(), field_width * 4);
        shown = 0;
        show(shown);
        return;
    }
    SDL_UnlockTexture(textures[drawing]);
    shown = drawing;
    show(shown);
    lend(1 - drawing);
}

SDL_Texture* field_texture() {
    return SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, field_width, field_height);
}

}  // namespace

bool canvas_create_texture() {
    renderer = sdl_renderer();
    textures[0] = field_texture();
    if (!textures[0]) return false;
    textures[1] = field_texture();
    lend(0);
    soft_set_present_hook(present);
    return true;
}

void canvas_destroy_texture() {
    soft_set_present_hook(nullptr);
    soft_draw_into(nullptr);
    if (drawn_in_place) SDL_UnlockTexture(textures[drawing]);
    for (SDL_Texture*& t : textures) {
        if (t) SDL_DestroyTexture(t);
        t = nullptr;
    }
    drawn_in_place = false;
    shown = -1;
    renderer = nullptr;
}

bool canvas_frame_wanted() {
    const uint64_t asked = soft_frame_requests();
    if (asked == frames_served) return false;
    frames_served = asked;
    return true;
}

void canvas_repaint() {
    if (shown >= 0) show(shown);
}
