#include "platform/sdl/sdl_window.h"

#include <SDL_syswm.h>

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
WindowRules rules;

}  // namespace

bool sdl_window_create(const char* title) {
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // A click that brings the window forward also reaches it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The software renderer's window surface is X's own shared-memory image,
    // not a texture of a GL renderer behind it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, client_width, client_height,
                              SDL_WINDOW_HIDDEN);
    return window != nullptr;
}

bool sdl_renderer_create() {
    // The frame is drawn in memory already; the renderer only copies it and
    // the menu layer to the window. SDL's software renderer does that without
    // loading a GL driver, which on a machine without a GPU (Mesa's llvmpipe)
    // costs 80 MB of memory, two busy threads and a slow start.
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, 0);
    return renderer != nullptr;
}

void sdl_window_destroy() {
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
}

SDL_Window* sdl_window() { return window; }
SDL_Renderer* sdl_renderer() { return renderer; }
WindowRules& window_rules() { return rules; }

void sdl_window_set_property(const char* name, const std::string& value) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    const Atom property = XInternAtom(display, name, False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, info.info.x11.window, property, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value.data()), static_cast<int>(value.size()));
    XFlush(display);
}
