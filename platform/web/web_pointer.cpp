// The pointer in the browser. A page cannot hold the pointer in a rectangle,
// but it can take it whole (Pointer Lock): while the game runs the pointer is
// locked to the field and hidden, and the shell moves a pointer of its own by
// the mouse's movements, held inside the confinement rectangle the game asks
// for; while the game is paused the lock is given back and the real pointer
// shows. The screen is the page: the field's top-left corner is its origin,
// and the window's outer rectangle is the one the Windows build's 640 x 480
// frame has around the same field, so the game's margins leave the same part
// of the field reachable (x from -8 to 567, y from 29 to 408).
//
// The browser gives the lock up by itself when the player presses Esc or
// leaves the page. The player then holds the mouse again, so the game pauses,
// as if P had been released (the shell sees to that).

#include "platform/web/web_pointer.h"

#include <emscripten.h>

#include <algorithm>

#include "platform/pointer.h"

namespace {

constexpr int frame_left = 8;
constexpr int frame_top = 51;
constexpr int outer_width = 640;
constexpr int outer_height = 480;
constexpr int32_t page_extent = 1 << 20;
constexpr ClipRect whole_page{-page_extent, -page_extent, page_extent, page_extent};

struct Held {
    ClipRect clip = whole_page;
    bool confined = false;
    float at[2] = {320.0f, 220.0f};  // x, y in field pixels
};
Held pointer;

float held(float v, int32_t low, int32_t high) {
    if (!pointer.confined) return v;
    return std::clamp(v, static_cast<float>(low), static_cast<float>(high - 1));
}

void hold(float x, float y) {
    pointer.at[0] = held(x, pointer.clip.left, pointer.clip.right);
    pointer.at[1] = held(y, pointer.clip.top, pointer.clip.bottom);
}

}  // namespace

EM_JS(void, pointer_publish, (const float* at), {
    Module.waxdropPointerAt = () => [HEAPF32[at >> 2], HEAPF32[(at >> 2) + 1]];
});

EM_JS(void, pointer_lock, (int take), {
    const canvas = document.getElementById('field');
    if (!take) {
        if (document.pointerLockElement === canvas) document.exitPointerLock();
        return;
    }
    if (document.pointerLockElement === canvas) return;
    // Without the lock (refused, or no gesture yet) the game still runs, with
    // the pointer hidden over the field and held inside the margins.
    try {
        const asked = canvas.requestPointerLock();
        if (asked && asked.catch) asked.catch(() => {});
    } catch (e) {
    }
});

EM_JS(int, pointer_is_locked, (), {
    return document.pointerLockElement === document.getElementById('field') ? 1 : 0;
});

EM_JS(void, pointer_cursor, (int show), {
    document.getElementById('field').style.cursor = show ? "" : "none";
});

// Where the page's pointer went, in field pixels; under the lock only its
// movement counts.
extern "C" EMSCRIPTEN_KEEPALIVE void web_pointer_track(float x, float y, float dx, float dy, int locked) {
    if (locked) hold(pointer.at[0] + dx, pointer.at[1] + dy);
    else hold(x, y);
}

void pointer_attach() { pointer_publish(pointer.at); }

ClipRect pointer_clip() { return pointer.clip; }

void pointer_confine(const ClipRect& r) {
    pointer.clip = r;
    pointer.confined = !(r.left <= whole_page.left && r.top <= whole_page.top && r.right >= whole_page.right &&
                         r.bottom >= whole_page.bottom);
    hold(pointer.at[0], pointer.at[1]);
    pointer_lock(pointer.confined);
}

ClipRect pointer_window_rect() { return {-frame_left, -frame_top, outer_width - frame_left, outer_height - frame_top}; }

void pointer_show(bool show) { pointer_cursor(show); }

float pointer_client_x() { return pointer.at[0]; }

bool pointer_lock_was_taken() { return pointer.confined && !pointer_is_locked(); }
