// The pump. Each turn first gives the browser its turn: a message posted to
// ourselves, which comes back as soon as the browser has handled what waits
// (input, audio, the display; a timeout would be held back to 4 ms), or,
// when nothing is due, a wait for the next input or 10 ms, the music timer's
// period. The page's events have gone to the window rules as they came; the
// pump follows the routes they gave, in order, between frames. So frames
// follow each other back to back while no input waits, and input is never
// kept waiting.

#include "platform/web/web_events.h"

#include <emscripten.h>

#include "platform/web/web_canvas.h"
#include "platform/web/web_dialog_view.h"
#include "platform/web/web_input.h"
#include "platform/web/web_menu_bar.h"
#include "platform/web/web_timer.h"
#include "platform/web/web_wave_out.h"
#include "platform/web/web_window.h"

namespace {

struct Pump {
    ShellHandlers handlers;
    bool idle = false;  // the last turn had nothing to do
};
Pump pump;

void paint() {
    const PaintInfo info{nullptr, {0, 0, field_width, field_height}};
    pump.handlers.paint(info);
}

void follow(const Route& r) {
    switch (r.kind) {
    case Route::none:
    case Route::to_window:
    case Route::close_program: break;
    case Route::game_mouse_moved: pump.handlers.mouse_moved(); break;
    case Route::game_left_button: pump.handlers.left_button_down(); break;
    case Route::game_key_released: pump.handlers.key_released(r.value); break;
    case Route::command: pump.handlers.command(r.value); break;
    case Route::window_command: dialog_view_command(dialog_view_of(r.window), r.value); break;
    }
}

void follow_waiting() {
    const WindowRules& rules = window_rules();
    Route r;
    while (!rules.closing() && input_next(r)) follow(r);
}

// What waits besides the routes: the dialogs' buttons, the pointer lock the
// browser took back, the window now under the pointer.
void run_the_rest() {
    WindowRules& rules = window_rules();
    if (rules.closing()) return;
    dialog_views_run_pending();
    if (input_take_lock_lost()) pump.handlers.pointer_lock_lost();
    // The page finds what is under the pointer by what it shows.
    dialog_views_show();
    if (rules.take_pointer_recheck()) {
        input_recheck_pointer();
        follow_waiting();
    }
}

}  // namespace

EM_JS(void, page_turns, (), {
    const channel = new MessageChannel();
    const waiting = [];
    channel.port1.onmessage = () => waiting.shift()();
    let wake = null;
    Module.waxdropWake = () => {
        if (wake) wake();
    };
    Module.waxdropTurn = (idle, resume) => {
        if (!idle) {
            waiting.push(resume);
            channel.port2.postMessage(0);
            return;
        }
        const timer = setTimeout(() => {
            wake = null;
            resume();
        }, 10);
        wake = () => {
            clearTimeout(timer);
            wake = null;
            resume();
        };
    };
});

// The browser's turn: the pump's stack is put aside (Asyncify) until the
// message comes back. Named in the link's ASYNCIFY_IMPORTS.
EM_JS(void, page_turn, (int idle), {
    return Asyncify.handleSleep(resume => Module.waxdropTurn(idle, resume));
});

void events_set_handlers(const ShellHandlers& h) {
    pump.handlers = h;
    page_turns();
    input_attach();
}

void events_paint() { paint(); }

void shell_pump() {
    WindowRules& rules = window_rules();
    page_turn(pump.idle);
    pump.idle = false;
    wave_out_deliver();
    follow_waiting();
    run_the_rest();
    timer_run_due();
    menu_bar_show();
    dialog_views_show();
    if (!rules.closing() && canvas_frame_wanted()) rules.frame_requested();
    switch (rules.after_events()) {
    case PumpStep::unwind: return;
    case PumpStep::destroy:
        pump.handlers.destroyed();
        window_show_ended();
        return;
    case PumpStep::frame: paint(); return;
    case PumpStep::idle: pump.idle = true; return;
    }
}

bool shell_window_destroyed() { return window_rules().destroyed(); }
