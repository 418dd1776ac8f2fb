// The pointer on Linux. X has no screen-wide clip rectangle, so the shell
// keeps one: the whole desktop while the pointer is free, and while the game
// runs a rectangle that SDL holds the pointer in (SDL_SetWindowMouseRect,
// relative to the window). The game asks for the main window's outer
// rectangle and takes its margins off it; the rectangle given here is the one
// the Windows build's 640 x 480 frame has around the same field, so the
// margins leave the same part of the field reachable on both. The
// confinement is kept relative to the window, so it follows the window when
// the window moves, as the system's does.

#include "platform/pointer.h"

#include <algorithm>

#include "platform/sdl/sdl_pointer.h"
#include "platform/sdl/sdl_window.h"

namespace {

// Where the field sits in the Windows build's outer window rectangle: an
// 8-pixel border left, then caption (23 + 8 of frame) and menu bar (20) above.
constexpr int frame_left = 8;
constexpr int frame_top = 51;
constexpr int outer_width = 640;
constexpr int outer_height = 480;

bool confined = false;
SDL_Rect held{};  // client pixels, inside the client area

ClipRect desktop() {
    SDL_Rect all{0, 0, 0, 0};
    const int displays = SDL_GetNumVideoDisplays();
    for (int i = 0; i < displays; ++i) {
        SDL_Rect r;
        if (SDL_GetDisplayBounds(i, &r) == 0) SDL_UnionRect(&all, &r, &all);
    }
    return {all.x, all.y, all.x + all.w, all.y + all.h};
}

SDL_Point window_origin() {
    SDL_Point p{0, 0};
    if (sdl_window()) SDL_GetWindowPosition(sdl_window(), &p.x, &p.y);
    return p;
}

void apply() {
    SDL_Window* w = sdl_window();
    if (!w) return;
    if (!confined) {
        SDL_SetWindowMouseRect(w, nullptr);
        return;
    }
    SDL_SetWindowMouseRect(w, &held);
    // X holds the pointer only once it is inside; like ClipCursor, bring it
    // in at once when it is outside.
    const SDL_Point o = window_origin();
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    const int cx = std::clamp(gx, o.x + held.x, o.x + held.x + held.w - 1);
    const int cy = std::clamp(gy, o.y + held.y, o.y + held.y + held.h - 1);
    if (cx != gx || cy != gy) SDL_WarpMouseGlobal(cx, cy);
}

}  // namespace

ClipRect pointer_clip() {
    if (!confined) return desktop();
    const SDL_Point o = window_origin();
    return {o.x + held.x, o.y + held.y, o.x + held.x + held.w, o.y + held.y + held.h};
}

void pointer_confine(const ClipRect& r) {
    const ClipRect all = desktop();
    confined = !(r.left <= all.left && r.top <= all.top && r.right >= all.right && r.bottom >= all.bottom);
    if (confined) {
        // Below the menu bar: the field is all a running game's pointer may reach.
        const SDL_Point o = window_origin();
        const SDL_Rect asked{r.left - o.x, r.top - o.y, r.right - r.left, r.bottom - r.top};
        const SDL_Rect field{0, menu_bar_height, client_width, field_height};
        if (!SDL_IntersectRect(&asked, &field, &held)) held = {0, menu_bar_height, 1, 1};
    }
    apply();
}

ClipRect pointer_window_rect() {
    const SDL_Point o = window_origin();
    const int left = o.x - frame_left, top = o.y + menu_bar_height - frame_top;
    return {left, top, left + outer_width, top + outer_height};
}

void pointer_show(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

float pointer_client_x() {
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    return static_cast<float>(gx - window_origin().x);
}

void pointer_window_moved() {
    if (confined) apply();
}
