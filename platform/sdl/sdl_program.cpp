#include "platform/sdl/sdl_program.h"

#include <cstring>

#include "platform/sdl/sdl_canvas.h"
#include "platform/sdl/sdl_dialog_view.h"
#include "platform/sdl/sdl_midi_out.h"
#include "platform/sdl/sdl_imgui.h"
#include "platform/sdl/sdl_layer.h"
#include "platform/sdl/sdl_window.h"
#include "platform/soft/ico.h"
#include "platform/soft/soft_canvas.h"

namespace {

SDL_Texture* icon_texture = nullptr;

// Icon 107's 32 x 32 image with its alpha, from the icon file the Windows
// build compiles in; null when the file is missing or holds no such image.
SDL_Surface* load_icon(const std::string& path) {
    Image image;
    std::string error;
    if (!load_ico_file(path.c_str(), 32, image, error)) return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, &image.pixels[static_cast<size_t>(y * image.width)],
                    static_cast<size_t>(image.width) * 4);
    return s;
}

void build_surfaces(const std::string& resources) {
    const bool drawn = sdl_renderer_create();
    if (drawn) canvas_create_texture();
    std::string error;
    // A missing image or font leaves that part of the picture empty.
    soft_load_images(resources + "/bitmaps", error);
    soft_open_font("", error);
    if (SDL_Surface* icon = load_icon(resources + "/icons/waxdrop.ico")) {
        SDL_SetWindowIcon(sdl_window(), icon);
        if (drawn) icon_texture = SDL_CreateTextureFromSurface(sdl_renderer(), icon);
        SDL_FreeSurface(icon);
    }
    if (!drawn) return;
    ui_init();
    dialog_views_set_icon(icon_texture);
}

}  // namespace

bool shell_open(const char* title, const ShellHandlers& handlers, const std::string& resources) {
    // The soundfont is read while the window is made: the music is open by
    // the time the game starts, and the first frame comes no later.
    midi_out_prepare();
    events_set_handlers(handlers);
    if (!sdl_window_create(title)) return false;
    // The window's creation starts the game before any drawing surface
    // exists, as the creation message does on Windows.
    handlers.created();
    build_surfaces(resources);
    // Showing the window draws the first frame, before the loop turns.
    SDL_ShowWindow(sdl_window());
    events_paint();
    return true;
}

void shell_close() {
    dialog_views_set_icon(nullptr);
    layer_shutdown();
    if (icon_texture) SDL_DestroyTexture(icon_texture);
    icon_texture = nullptr;
    canvas_destroy_texture();
    soft_close_font();
    sdl_window_destroy();
    SDL_Quit();
}
