// The page's client area as the main window. File > Exit ends the game the
// way closing the window does elsewhere; the browser's own window and tab
// belong to the browser, so once the game has shut down the page only says
// so and offers to load it again.

#include "platform/web/web_window.h"

#include <emscripten.h>

#include "platform/window.h"

namespace {

WindowRules rules;

}  // namespace

EM_JS(int, page_has_client, (int width, int height, int field_place, int bar_place), {
    const client = document.getElementById('client');
    const field = document.getElementById('field'), bar = document.getElementById('menubar');
    if (!client || !field || !bar || !document.getElementById('windows')) return 0;
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    field.dataset.place = field_place;
    bar.dataset.place = bar_place;
    return 1;
});

EM_JS(void, page_ended, (), {
    document.body.classList.add('ended');
    Module.waxdropEnded = true;
});

bool window_attach() { return page_has_client(client_width, client_height, Place::field, Place::bar) != 0; }

WindowRules& window_rules() { return rules; }

void window_show_ended() { page_ended(); }

// File > Exit. Inside a dialog's or a box's loop the window cannot go yet:
// the frame that opened the box is still running, and the game must not be
// shut down under it. The loops end first, and the main loop runs the
// destroy handler as soon as they have unwound.
void window_destroy() { rules.close_program(); }
