// The frame's picture on screen. The software canvas draws every frame into
// memory; its present lands here, where the picture goes into one streaming
// texture below the menu bar, the menu layer is drawn over it, and the
// renderer presents at once (no vsync wait: frames are not capped).

#include "platform/sdl/sdl_shell.h"
#include "platform/soft/soft_canvas.h"

namespace {

SDL_Renderer* renderer = nullptr;
SDL_Texture* field_texture = nullptr;
uint64_t frames_served = 0;

void draw_window() {
    if (!renderer) return;
    const SDL_Rect field{0, menu_bar_height, field_width, field_height};
    SDL_RenderCopy(renderer, field_texture, nullptr, &field);
    ui_render();
    SDL_RenderPresent(renderer);
}

void present(const PaintRect&) {
    if (!field_texture) return;
    SDL_UpdateTexture(field_texture, nullptr, soft_window_buffer(), field_width * 4);
    draw_window();
}

}  // namespace

bool canvas_create_texture(SDL_Renderer* r) {
    renderer = r;
    field_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, field_width,
                                      field_height);
    soft_set_present_hook(present);
    return field_texture != nullptr;
}

void canvas_destroy_texture() {
    soft_set_present_hook(nullptr);
    if (field_texture) SDL_DestroyTexture(field_texture);
    field_texture = nullptr;
    renderer = nullptr;
}

bool canvas_frame_wanted() {
    const uint64_t asked = soft_frame_requests();
    if (asked == frames_served) return false;
    frames_served = asked;
    return true;
}

void canvas_repaint() {
    if (field_texture) draw_window();
}
