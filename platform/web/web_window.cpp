// The page's canvas as the main window, and the one pump. The pump turns in
// the main loop and in every modal loop: each turn first gives the browser
// its turn (a message posted to ourselves, which comes back as soon as the
// browser has handled what waits: input, audio, the display; a timeout would
// be held back to 4 ms), then hands the sound device's notices and every
// waiting input event to the game, calls the music timer when it is due, and
// runs one frame when the last one asked for it. So frames follow each other
// back to back whenever no input waits, and input is never kept waiting.

#include <emscripten.h>

#include <string>

#include "platform/soft/soft_canvas.h"
#include "platform/web/web_shell.h"
#include "platform/window.h"

namespace {

ShellHandlers handlers;
bool exists = false;
bool destroyed = false;
bool enabled = true;

enum InputKind : int { none, moved, left_down, key_up, lock_lost };

void paint() {
    const PaintInfo info{nullptr, {0, 0, field_width, field_height}};
    handlers.paint(info);
}

}  // namespace

// The page's input, queued as it comes; the pump takes it out in order.
EM_JS(int, page_attach, (), {
    const canvas = document.getElementById('field');
    if (!canvas) return 0;
    const queue = Module.waxdropInput = [];
    const channel = new MessageChannel();
    const waiting = [];
    channel.port1.onmessage = () => waiting.shift()();
    Module.waxdropTurn = () => new Promise(resume => {
        waiting.push(resume);
        channel.port2.postMessage(0);
    });
    // Field pixels from the event, whatever size the page shows the canvas at.
    const field_x = e => {
        const box = canvas.getBoundingClientRect();
        return (e.clientX - box.left) * canvas.width / box.width;
    };
    const scale = () => canvas.width / canvas.getBoundingClientRect().width;
    canvas.addEventListener('mousemove', e => queue.push([1, field_x(e), e.movementX * scale()]));
    canvas.addEventListener('mousedown', e => {
        if (e.button === 0) queue.push([2, field_x(e), 0]);
    });
    const keys = {Space: 0x20, Enter: 0x0D, Escape: 0x1B, Tab: 0x09, Backspace: 0x08};
    const typing = e => e.target && (e.target.tagName === 'INPUT' || e.target.tagName === 'TEXTAREA');
    window.addEventListener('keyup', e => {
        if (typing(e)) return;
        const code = e.code || "";
        let key = keys[code] || 0;
        if (code.length === 4 && code.startsWith('Key')) key = code.charCodeAt(3);
        else if (code.length === 6 && code.startsWith('Digit')) key = code.charCodeAt(5);
        if (key) queue.push([3, key, 0]);
    });
    window.addEventListener('keydown', e => {
        if (!typing(e) && e.code === 'Space') e.preventDefault();
    });
    document.addEventListener('pointerlockchange', () => {
        if (document.pointerLockElement !== canvas) queue.push([4, 0, 0]);
    });
    // Sound may start from inside a gesture only; the audio ports leave
    // their start here.
    const gesture = () => {
        for (const start of Module.waxdropGesture || []) start();
    };
    for (const kind of ['mousedown', 'keydown', 'touchstart', 'pointerdown'])
        window.addEventListener(kind, gesture, true);
    return 1;
});

EM_ASYNC_JS(void, page_turn, (), {
    await Module.waxdropTurn();
});

EM_JS(int, page_next_input, (float* values), {
    const e = Module.waxdropInput.shift();
    if (!e) return 0;
    HEAPF32[values >> 2] = e[1];
    HEAPF32[(values >> 2) + 1] = e[2];
    return e[0];
});

EM_JS(void, page_window_gone, (), {
    document.body.classList.add('ended');
});

namespace {

void dispatch_input() {
    float values[2];
    for (int kind; (kind = page_next_input(values)) != none;) {
        if (!exists) continue;
        if (kind == lock_lost) {
            if (pointer_lock_was_taken()) handlers.pointer_lock_lost();
            continue;
        }
        if (!enabled) continue;
        if (kind == moved || kind == left_down) pointer_track(values[0], values[1]);
        if (kind == moved) handlers.mouse_moved();
        if (kind == left_down) handlers.left_button_down();
        if (kind == key_up) handlers.key_released(static_cast<int>(values[0]));
    }
}

}  // namespace

bool shell_create_window(const ShellHandlers& h) {
    handlers = h;
    exists = page_attach() != 0;
    return exists;
}

void shell_build_surfaces(const char* bitmaps) {
    std::string error;
    soft_load_images(bitmaps, error);
    soft_open_font("", error);
    canvas_start_display();
}

void shell_show() {
    if (exists) paint();
}

void shell_pump() {
    page_turn();
    wave_out_deliver();
    dispatch_input();
    dialogs_deliver();
    timer_run_due();
    if (exists && canvas_frame_wanted()) paint();
}

bool shell_window_exists() { return exists; }
bool shell_window_destroyed() { return destroyed; }
void shell_set_window_enabled(bool on) { enabled = on; }

void window_destroy() {
    if (!exists) return;
    exists = false;
    handlers.destroyed();
    destroyed = true;
    page_window_gone();
}
