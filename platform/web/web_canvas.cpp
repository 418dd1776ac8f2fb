// The frame's picture in the page. The software canvas draws every frame into
// memory; the page's canvas takes the newest finished picture at each display
// refresh (requestAnimationFrame), so frames that run faster than the display
// cost no copy, and the refresh never sees a picture half drawn: the page has
// one thread, and a refresh runs only between two of the pump's turns.

#include <emscripten.h>

#include "platform/soft/soft_canvas.h"
#include "platform/web/web_canvas.h"

namespace {

// Read by the page at each refresh: the picture to show and how many there
// have been, so an unchanged picture is not copied again.
const uint32_t* shown = nullptr;
uint32_t pictures = 0;
uint64_t frames_served = 0;

void present(const PaintRect&) {
    shown = soft_window_buffer();
    ++pictures;
}

}  // namespace

EM_JS(void, display_start, (const uint32_t* const* shown_at, const uint32_t* pictures_at, int width, int height), {
    const canvas = document.getElementById('field');
    if (!canvas) return;
    const context = canvas.getContext('2d', {alpha: false});
    const image = context.createImageData(width, height);
    const pixels = new Uint32Array(image.data.buffer);
    let last = 0;
    // For whoever measures the page: the pictures the game has made so far.
    Module.waxdropFrames = () => HEAPU32[pictures_at >> 2];
    const refresh = () => {
        const count = HEAPU32[pictures_at >> 2];
        if (count !== last) {
            last = count;
            // 0x00RRGGBB in memory becomes R, G, B, A bytes.
            const from = HEAPU32[shown_at >> 2] >> 2, heap = HEAPU32, n = width * height;
            for (let i = 0; i < n; i++) {
                const p = heap[from + i];
                pixels[i] = 0xFF000000 | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >>> 16) & 0xFF);
            }
            context.putImageData(image, 0, 0);
            if (!Module.waxdropFirstPicture) Module.waxdropFirstPicture = performance.now();
        }
        requestAnimationFrame(refresh);
    };
    requestAnimationFrame(refresh);
});

void canvas_start_display() {
    soft_set_present_hook(present);
    display_start(&shown, &pictures, field_width, field_height);
}

bool canvas_frame_wanted() {
    const uint64_t asked = soft_frame_requests();
    if (asked == frames_served) return false;
    frames_served = asked;
    return true;
}
