// The pointer in the browser. A page cannot hold the pointer in a rectangle,
// but it can take it whole (Pointer Lock): while the game runs the pointer is
// locked to the field and hidden, and the shell moves a pointer of its own by
// the mouse's movements, held inside the confinement rectangle the game asks
// for; while the game is paused the lock is given back and the real pointer
// shows. The screen is the page: the field's top-left corner is its origin,
// and the window's outer rectangle is the one the Windows build's 640 x 480
// frame has around the same field, so the game's margins leave the same part
// of the field reachable (client x from -8 to 567).
//
// The browser gives the lock up by itself when the player presses Esc or
// leaves the page. The player then holds the mouse again, so the game pauses,
// as if P had been released (the shell sees to that).

#include <emscripten.h>

#include <algorithm>

#include "platform/pointer.h"
#include "platform/web/web_shell.h"

namespace {

constexpr int frame_left = 8;
constexpr int frame_top = 51;
constexpr int outer_width = 640;
constexpr int outer_height = 480;
constexpr int32_t page_extent = 1 << 20;
constexpr ClipRect whole_page{-page_extent, -page_extent, page_extent, page_extent};

ClipRect clip = whole_page;
bool confined = false;
float x = 320.0f;

float held(float client_x) {
    if (!confined) return client_x;
    return std::clamp(client_x, static_cast<float>(clip.left), static_cast<float>(clip.right - 1));
}

}  // namespace

EM_JS(void, pointer_lock, (int take), {
    const canvas = document.getElementById('field');
    if (!canvas) return;
    if (!take) {
        if (document.pointerLockElement === canvas) document.exitPointerLock();
        return;
    }
    if (document.pointerLockElement === canvas) return;
    // Without the lock (refused, or no gesture yet) the game still runs, with
    // the pointer hidden over the field and its x held inside the margins.
    try {
        const asked = canvas.requestPointerLock();
        if (asked && asked.catch) asked.catch(() => {});
    } catch (e) {
    }
});

EM_JS(int, pointer_is_locked, (), {
    const canvas = document.getElementById('field');
    return canvas && document.pointerLockElement === canvas ? 1 : 0;
});

EM_JS(void, pointer_cursor, (int show), {
    const canvas = document.getElementById('field');
    if (canvas) canvas.style.cursor = show ? "" : "none";
});

ClipRect pointer_clip() { return clip; }

void pointer_confine(const ClipRect& r) {
    clip = r;
    confined = !(r.left <= whole_page.left && r.top <= whole_page.top && r.right >= whole_page.right &&
                 r.bottom >= whole_page.bottom);
    x = held(x);
    pointer_lock(confined);
}

ClipRect pointer_window_rect() { return {-frame_left, -frame_top, outer_width - frame_left, outer_height - frame_top}; }

void pointer_show(bool show) { pointer_cursor(show); }

float pointer_client_x() { return x; }

void pointer_track(float client_x, float locked_dx) { x = held(pointer_is_locked() ? x + locked_dx : client_x); }

bool pointer_lock_was_taken() { return confined && !pointer_is_locked(); }
