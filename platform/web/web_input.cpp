// Page events arrive here and go to the window rules at once, which say where
// each belongs; whatever the rules leave to a dialog's own controls (typing
// in the name, Tab, Space on a button, a click on one) the page does itself,
// and everything else is kept from the browser and queued for the pump.
// The page decides nothing: it only says what was under the pointer (the
// elements carry their place for the rules) and what the key was.

#include "platform/web/web_input.h"

#include <emscripten.h>

#include <deque>

#include "platform/web/web_pointer.h"
#include "platform/web/web_window.h"

namespace {

enum Event : int { moved, button_down, key_down, typed, key_up, exposed };

struct Input {
    std::deque<Route> routes;
    bool lock_lost = false;
};
Input input;

// The page's names of the keys the rules know, in the order of Key from alt on.
constexpr char key_names[] = "Alt F4 F10 Enter Escape Space ArrowLeft ArrowRight ArrowUp ArrowDown";

Route route_of(int event, const Place& place, const KeyStroke& key, char32_t character) {
    WindowRules& rules = window_rules();
    switch (event) {
    case moved: return rules.pointer_moved(place);
    case button_down: return rules.button_down(place);
    case key_down: return rules.key_down(key);
    case typed: return rules.typed(character, key.alt);
    case key_up: return rules.key_up(key);
    case exposed: rules.exposed(); return {};
    default: return {};
    }
}

}  // namespace

// One page event for the rules; the route's kind goes back to the page,
// which lets a dialog's own control have the event only when the rules say so.
extern "C" EMSCRIPTEN_KEEPALIVE int web_input(int event, int place, int index, int window, int key, int letter,
                                              int alt, int character) {
    const Place at{static_cast<Place::Kind>(place), index, window};
    KeyStroke stroke;
    stroke.key = static_cast<Key>(key);
    stroke.letter = static_cast<char>(letter);
    stroke.alt = alt != 0;
    const Route r = route_of(event, at, stroke, static_cast<char32_t>(character));
    if (r.kind != Route::none && r.kind != Route::to_window) input.routes.push_back(r);
    return r.kind;
}

extern "C" EMSCRIPTEN_KEEPALIVE void web_lock_released() {
    if (pointer_lock_was_taken()) input.lock_lost = true;
}

// How the page says what is under the pointer and hands an event to the rules.
EM_JS(void, page_input_setup, (int outside, int to_window), {
    const canvas = document.getElementById('field');
    const input = Module.waxdropInput = {last: [0, 0], to_window};
    input.locked = () => document.pointerLockElement === canvas;
    // Where the pointer is: under the lock, the game's own pointer.
    input.here = () => {
        if (!input.locked()) return input.last;
        const box = canvas.getBoundingClientRect(), at = Module.waxdropPointerAt();
        return [box.left + at[0], box.top + at[1]];
    };
    input.under = () => document.elementFromPoint(input.here()[0], input.here()[1]);
    input.send = (event, key, letter, alt, character) => {
        // Once the game has ended the page is the browser's alone.
        if (Module.waxdropEnded) return to_window;
        const element = input.under();
        const at = element && element.closest('[data-place]');
        const d = at ? at.dataset : {};
        const route = _web_input(event, at ? +d.place : outside, +(d.index || -1), +(d.window || 0), key, letter,
                                 alt, character);
        if (Module.waxdropWake) Module.waxdropWake();
        return route;
    };
    input.track = e => {
        input.last = [e.clientX, e.clientY];
        const box = canvas.getBoundingClientRect();
        _web_pointer_track(e.clientX - box.left, e.clientY - box.top, e.movementX || 0, e.movementY || 0,
                           input.locked() ? 1 : 0);
    };
});

EM_JS(void, page_listen_pointer, (), {
    const input = Module.waxdropInput;
    let pressed = null;  // under the lock: the control the button went down on
    document.addEventListener('mousemove', e => {
        input.track(e);
        input.send(0, 0, 0, 0, 0);
    }, true);
    document.addEventListener('mousedown', e => {
        if (e.button !== 0) return;
        input.track(e);
        if (input.send(1, 0, 0, 0, 0) !== input.to_window) return e.preventDefault();
        // Under the lock the page's own click goes to the field: the control
        // under the game's pointer gets it.
        pressed = input.locked() ? input.under() : null;
        if (pressed) pressed.focus();
    }, true);
    document.addEventListener('mouseup', e => {
        if (e.button === 0 && pressed && pressed === input.under()) pressed.click();
        pressed = null;
    }, true);
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'visible') input.send(5, 0, 0, 0, 0);
    });
    document.addEventListener('pointerlockchange', () => {
        if (!input.locked()) _web_lock_released();
        if (Module.waxdropWake) Module.waxdropWake();
    });
    // Sound may start from inside a gesture only; the audio ports leave
    // their start here.
    const gesture = () => {
        for (const start of Module.waxdropGesture || []) start();
    };
    for (const kind of ['mousedown', 'keydown', 'touchstart', 'pointerdown'])
        window.addEventListener(kind, gesture, true);
});

EM_JS(void, page_listen_keys, (const char* names), {
    const input = Module.waxdropInput, keys = UTF8ToString(names).split(' ');
    const stroke = e => {
        const key = keys.indexOf(e.key === ' ' ? 'Space' : e.key) + 1;
        let letter = 0;
        if (/^[a-zA-Z]$/.test(e.key)) letter = e.key.toLowerCase().charCodeAt(0);
        else if (/^Key[A-Z]$/.test(e.code)) letter = e.code.toLowerCase().charCodeAt(3);
        return [key, letter, e.altKey ? 1 : 0];
    };
    // F4 stays the browser's: Alt+F4 closes its window, not the page's game.
    const browsers = e => e.ctrlKey || e.metaKey || e.key === 'F4';
    const theirs = e => /^F([1-9]|1[12])$/.test(e.key);
    document.addEventListener('keydown', e => {
        if (browsers(e)) return;
        const [key, letter, alt] = stroke(e);
        let route = input.send(2, key, letter, alt, 0);
        const characters = [...e.key];
        if (characters.length === 1 && input.send(3, key, letter, alt, characters[0].codePointAt(0)) === input.to_window)
            route = input.to_window;
        if (route !== input.to_window && !theirs(e)) e.preventDefault();
    }, true);
    document.addEventListener('keyup', e => {
        if (browsers(e)) return;
        const [key, letter, alt] = stroke(e);
        if (input.send(4, key, letter, alt, 0) !== input.to_window && !theirs(e)) e.preventDefault();
    }, true);
});

EM_JS(void, page_recheck, (), {
    Module.waxdropInput.send(0, 0, 0, 0, 0);
});

void input_attach() {
    pointer_attach();
    page_input_setup(Place::bar, Route::to_window);
    page_listen_pointer();
    page_listen_keys(key_names);
}

bool input_next(Route& route) {
    if (input.routes.empty()) return false;
    route = input.routes.front();
    input.routes.pop_front();
    return true;
}

bool input_take_lock_lost() {
    const bool lost = input.lock_lost;
    input.lock_lost = false;
    return lost;
}

void input_recheck_pointer() { page_recheck(); }
