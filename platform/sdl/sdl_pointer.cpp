// The pointer on Linux. X has no screen-wide clip rectangle, so the shell
// keeps one: the whole desktop while the pointer is free, and while the game
// runs a rectangle that SDL holds the pointer in (SDL_SetWindowMouseRect,
// relative to the window). The game asks for the main window's outer
// rectangle and takes its margins off it; the rectangle given here is the one
// the Windows build's 640 x 480 frame has around the same field, so the
// margins leave the same part of the field reachable on both.

#include "platform/pointer.h"

#include <algorithm>

#include "platform/sdl/sdl_shell.h"

namespace {

// Where the field sits in the Windows build's outer window rectangle: an
// 8-pixel border left, then caption (23 + 8 of frame) and menu bar (20) above.
constexpr int frame_left = 8;
constexpr int frame_top = 51;
constexpr int outer_width = 640;
constexpr int outer_height = 480;

ClipRect desktop() {
    SDL_Rect all{0, 0, 0, 0};
    const int displays = SDL_GetNumVideoDisplays();
    for (int i = 0; i < displays; ++i) {
        SDL_Rect r;
        if (SDL_GetDisplayBounds(i, &r) == 0) SDL_UnionRect(&all, &r, &all);
    }
    return {all.x, all.y, all.x + all.w, all.y + all.h};
}

ClipRect clip{};
bool clip_known = false;
bool confined = false;

// The field's top-left corner on the screen.
void field_origin(int& x, int& y) {
    x = y = 0;
    if (shell_window()) SDL_GetWindowPosition(shell_window(), &x, &y);
    y += menu_bar_height;
}

void apply() {
    SDL_Window* w = shell_window();
    if (!w) return;
    if (!confined) {
        SDL_SetWindowMouseRect(w, nullptr);
        return;
    }
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(w, &wx, &wy);
    SDL_Rect r{clip.left - wx, clip.top - wy, clip.right - clip.left, clip.bottom - clip.top};
    const SDL_Rect client{0, 0, client_width, client_height};
    SDL_Rect in;
    if (!SDL_IntersectRect(&r, &client, &in)) in = {0, 0, 1, 1};
    SDL_SetWindowMouseRect(w, &in);
    // X holds the pointer only once it is inside; like ClipCursor, bring it
    // in at once when it is outside.
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    const int cx = std::clamp(gx, wx + in.x, wx + in.x + in.w - 1);
    const int cy = std::clamp(gy, wy + in.y, wy + in.y + in.h - 1);
    if (cx != gx || cy != gy) SDL_WarpMouseGlobal(cx, cy);
}

}  // namespace

ClipRect pointer_clip() {
    if (!clip_known) {
        clip = desktop();
        clip_known = true;
    }
    return clip;
}

void pointer_confine(const ClipRect& r) {
    const ClipRect all = desktop();
    clip = r;
    clip_known = true;
    confined = !(r.left <= all.left && r.top <= all.top && r.right >= all.right && r.bottom >= all.bottom);
    apply();
}

ClipRect pointer_window_rect() {
    int x = 0, y = 0;
    field_origin(x, y);
    const int left = x - frame_left, top = y - frame_top;
    return {left, top, left + outer_width, top + outer_height};
}

void pointer_show(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

float pointer_client_x() {
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    if (shell_window()) SDL_GetWindowPosition(shell_window(), &wx, &wy);
    return static_cast<float>(gx - wx);
}

void pointer_window_moved() {
    if (confined) apply();
}
