// The main window and the one event pump. The pump turns in the main loop
// and in every modal loop: each turn hands every waiting event to the menu
// layer or the game, then runs one frame when the last one asked for it, so
// frames follow each other back to back whenever no input waits.

#include "platform/window.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sdl/sdl_shell.h"
#include "platform/soft/soft_canvas.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* icon_texture = nullptr;
ShellHandlers handlers;
bool exists = false;
bool closing = false;
int loop_depth = 0;

// Icon 107's 32 x 32 image with its alpha, from the icon file the Windows
// build compiles in; null when the file is missing or holds no such image.
SDL_Surface* load_icon(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u16 = [&](size_t at) { return at + 2 <= d.size() ? d[at] | d[at + 1] << 8 : 0; };
    auto u32 = [&](size_t at) {
        return at + 4 <= d.size() ? static_cast<uint32_t>(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | d[at + 3] << 24)
                                  : 0u;
    };
    if (u16(0) != 0 || u16(2) != 1) return nullptr;
    const int count = u16(4);
    for (int i = 0; i < count; ++i) {
        const size_t e = 6 + 16 * static_cast<size_t>(i);
        if (d.size() < e + 16 || d[e] != 32 || d[e + 1] != 32 || u16(e + 6) != 32) continue;
        const size_t off = u32(e + 12);
        const size_t bits = off + u32(off);  // past the BITMAPINFOHEADER
        if (u32(off + 4) != 32 || u16(off + 14) != 32 || bits + 32 * 32 * 4 > d.size()) continue;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!s) return nullptr;
        for (int y = 0; y < 32; ++y)  // rows are stored bottom-up, BGRA
            std::memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, &d[bits + static_cast<size_t>(31 - y) * 128], 128);
        return s;
    }
    return nullptr;
}

int virtual_key(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    switch (key) {
    case SDLK_SPACE: return 0x20;
    case SDLK_RETURN: return 0x0D;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_TAB: return 0x09;
    case SDLK_BACKSPACE: return 0x08;
    default: return 0;
    }
}

void paint() {
    const PaintInfo info{nullptr, {0, 0, field_width, field_height}};
    handlers.paint(info);
}

// What the destroy handler does: the game's part first, then the surfaces.
void destroy_now() {
    if (!exists) return;
    handlers.destroyed();
    exists = false;
}

void close_window() {
    closing = true;
    if (loop_depth == 0) destroy_now();
}

void dispatch(const SDL_Event& e) {
    if (e.type == SDL_QUIT || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
        close_window();
        return;
    }
    if (e.type == SDL_WINDOWEVENT) {
        if (e.window.event == SDL_WINDOWEVENT_MOVED) pointer_window_moved();
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) canvas_repaint();
        return;
    }
    // Alt+F4 closes the window wherever the keyboard is, as the system does.
    if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & KMOD_ALT)) {
        close_window();
        return;
    }
    if (ui_event(e, handlers)) return;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        handlers.mouse_moved();
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) handlers.left_button_down();
        break;
    case SDL_KEYDOWN:
        // The accelerators: Alt with '/' or '?' (shift and '/' on most
        // keyboards). Key presses do nothing else.
        if ((e.key.keysym.mod & KMOD_ALT) && (e.key.keysym.sym == SDLK_SLASH || e.key.keysym.sym == SDLK_QUESTION))
            handlers.command(104);
        break;
    case SDL_KEYUP:
        handlers.key_released(virtual_key(e.key.keysym.sym));
        break;
    default:
        break;
    }
}

}  // namespace

bool shell_create_window(const char* title, const ShellHandlers& h) {
    handlers = h;
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
    if (!window) return false;
    exists = true;
    return true;
}

void shell_build_surfaces(const std::string& resources) {
    // The frame is drawn in memory already; the renderer only copies it and
    // the menu layer to the window. SDL's software renderer does that without
    // loading a GL driver, which on a machine without a GPU (Mesa's llvmpipe)
    // costs 80 MB of memory, two busy threads and a slow start.
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer) canvas_create_texture(renderer);
    std::string error;
    // A missing image or font leaves that part of the picture empty.
    soft_load_images(resources + "/bitmaps", error);
    soft_open_font("", error);
    if (SDL_Surface* icon = load_icon(resources + "/icons/waxdrop.ico")) {
        SDL_SetWindowIcon(window, icon);
        if (renderer) icon_texture = SDL_CreateTextureFromSurface(renderer, icon);
        SDL_FreeSurface(icon);
    }
    if (renderer) {
        ui_init(window, renderer);
        ui_set_icon_texture(icon_texture);
    }
}

void shell_show() {
    SDL_ShowWindow(window);
    paint();
}

void shell_pump() {
    SDL_Event e;
    while (exists && !closing && SDL_PollEvent(&e)) dispatch(e);
    if (exists && !closing) ui_run_pending(handlers);
    if (closing) {
        if (loop_depth == 0) destroy_now();
        return;
    }
    if (!exists) return;
    // Inside a dialog or box the frames go on even when the frame that
    // opened it has not asked for the next one yet: it is still running.
    if (canvas_frame_wanted() || loop_depth > 0) paint();
    else SDL_WaitEventTimeout(nullptr, 10);
}

bool shell_window_exists() { return exists && !closing; }
bool shell_window_destroyed() { return !exists; }

void shell_free_surfaces() {
    ui_set_icon_texture(nullptr);
    ui_shutdown();
    if (icon_texture) SDL_DestroyTexture(icon_texture);
    icon_texture = nullptr;
    canvas_destroy_texture();
    soft_close_font();
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
}

SDL_Window* shell_window() { return window; }
SDL_Renderer* shell_renderer() { return renderer; }

int shell_loop_depth() { return loop_depth; }
void shell_enter_loop() { ++loop_depth; }
void shell_leave_loop() { --loop_depth; }

// File > Exit. Inside a dialog's or a box's loop the window cannot go yet:
// the frame that opened the box is still running, and the game must not be
// shut down under it. The loops end first, and the main loop destroys the
// window as soon as they have unwound.
void window_destroy() { close_window(); }
