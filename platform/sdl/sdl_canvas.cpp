// The frame's picture on screen. The software canvas draws every frame
// straight into the field's streaming texture, locked between presents; a
// present unlocks it, copies it below the menu bar, draws the menu layer over
// it and presents at once (no vsync wait: frames are not capped). The window
// keeps what was presented, so a repaint between frames draws only the layer
// over it: a box opened in the middle of a frame shows the field as it last
// was, never that frame half drawn. Where the texture's rows are padded the
// canvas keeps its own buffers and each present uploads the picture instead.

#include "platform/sdl/sdl_canvas.h"

#include "platform/sdl/sdl_layer.h"
#include "platform/sdl/sdl_window.h"
#include "platform/soft/soft_canvas.h"

namespace {

SDL_Renderer* renderer = nullptr;
SDL_Texture* field_texture = nullptr;
bool drawn_in_place = false;
bool presented = false;
uint64_t frames_served = 0;

// Lend the texture's memory to the canvas for the next frame.
void lock_for_drawing() {
    void* pixels = nullptr;
    int pitch = 0;
    drawn_in_place = SDL_LockTexture(field_texture, nullptr, &pixels, &pitch) == 0;
    if (drawn_in_place && pitch != field_width * 4) {
        SDL_UnlockTexture(field_texture);
        drawn_in_place = false;
    }
    soft_draw_into(drawn_in_place ? static_cast<uint32_t*>(pixels) : nullptr);
}

void present(const PaintRect&) {
    // A closing window shows nothing more. The frames that still finish as
    // the boxes' loops unwind, one per box left open, would otherwise each
    // draw every box still open, and the window would take seconds to go.
    if (!field_texture || window_rules().closing()) return;
    if (drawn_in_place) SDL_UnlockTexture(field_texture);
    else SDL_UpdateTexture(field_texture, nullptr, soft_window_buffer(), field_width * 4);
    const SDL_Rect field{0, menu_bar_height, field_width, field_height};
    SDL_RenderCopy(renderer, field_texture, nullptr, &field);
    layer_render();
    SDL_RenderPresent(renderer);
    presented = true;
    if (drawn_in_place) lock_for_drawing();
}

}  // namespace

bool canvas_create_texture() {
    renderer = sdl_renderer();
    field_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, field_width,
                                      field_height);
    if (!field_texture) return false;
    lock_for_drawing();
    soft_set_present_hook(present);
    return true;
}

void canvas_destroy_texture() {
    soft_set_present_hook(nullptr);
    soft_draw_into(nullptr);
    if (field_texture) {
        if (drawn_in_place) SDL_UnlockTexture(field_texture);
        SDL_DestroyTexture(field_texture);
    }
    field_texture = nullptr;
    drawn_in_place = false;
    presented = false;
    renderer = nullptr;
}

bool canvas_frame_wanted() {
    const uint64_t asked = soft_frame_requests();
    if (asked == frames_served) return false;
    frames_served = asked;
    return true;
}

void canvas_repaint() {
    if (!presented) return;
    layer_render();
    SDL_RenderPresent(renderer);
}
