// Modal dialogs and message boxes over the game's field in the page. Each
// runs a loop of its own on the one pump (the browser has its turn there,
// through Asyncify); the window rules decide what reaches it, what stays with
// the main window, and when a frame runs meanwhile.

#include "platform/dialogs.h"

#include <algorithm>

#include "platform/os/utf.h"
#include "platform/web/web_dialog_view.h"
#include "platform/web/web_events.h"
#include "platform/web/web_window.h"

namespace {

// Turn the pump until the view's window has ended, or the program closes
// (then every open dialog ends as if cancelled, so the loops unwind to the
// main loop).
void run_loop(DialogView& v) {
    WindowRules& rules = window_rules();
    while (rules.turning(v.window)) shell_pump();
    rules.forget(v.window);
    dialog_view_close(v);
}

bool may_open() { return !window_rules().closing() && !window_rules().destroyed(); }

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    const DialogLayout* layout = find_dialog_layout(template_id);
    if (!layout || !proc || !may_open()) return -1;
    DialogView v;
    dialog_view_open(v, layout, proc, window_rules().open(WindowKind::dialog));
    proc(&v, DialogEvent::init, 0);
    run_loop(v);
    return v.result;
}

void dialog_end(DialogHandle dialog, intptr_t result) {
    DialogView* v = static_cast<DialogView*>(dialog);
    v->result = result;
    window_rules().end(v->window);
}

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) {
    dialog_view_set_text(*static_cast<DialogView*>(dialog), item, utf16_to_utf8(text));
}

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    const std::u16string text = utf8_to_utf16(dialog_view_text(*static_cast<DialogView*>(dialog), item));
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    text.copy(out, n);
    out[n] = 0;
}

void message_box(const char16_t* text, const char16_t* caption) {
    if (!may_open()) return;
    DialogView v;
    dialog_view_open_box(v, utf16_to_utf8(text), utf16_to_utf8(caption), window_rules().open(WindowKind::box));
    run_loop(v);
}
