// Modal dialogs and message boxes inside the game's window. Each runs a loop
// of its own on the one event pump; the window rules decide what reaches it,
// what stays with the main window, and when a frame runs meanwhile.

#include "platform/dialogs.h"

#include <algorithm>
#include <cstring>

#include "platform/os/utf.h"
#include "platform/sdl/sdl_dialog_view.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_window.h"

namespace {

// Turn the pump until the view's window has ended, or the program closes
// (then every open dialog ends as if cancelled, so the loops unwind to the
// main loop).
void run_loop(DialogView& v) {
    WindowRules& rules = window_rules();
    while (rules.turning(v.window)) shell_pump();
    rules.forget(v.window);
    dialog_view_remove(&v);
}

int control_index(const DialogView* v, int item) {
    for (int i = 0; v->layout && i < v->layout->control_count; ++i)
        if (v->layout->controls[i].id == item) return i;
    return -1;
}

bool may_open() { return !window_rules().closing() && !shell_window_destroyed(); }

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    const DialogLayout* layout = find_dialog_layout(template_id);
    if (!layout || !may_open()) return -1;
    DialogView v;
    dialog_view_init(v, layout, proc);
    v.window = window_rules().open(WindowKind::dialog);
    dialog_view_add(&v);
    proc(&v, DialogEvent::init, 0);
    run_loop(v);
    return v.result;
}

void dialog_end(DialogHandle dialog, intptr_t result) {
    DialogView* v = static_cast<DialogView*>(dialog);
    v->result = result;
    window_rules().end(v->window);
    dialog_views_changed();
}

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) {
    DialogView* v = static_cast<DialogView*>(dialog);
    const int i = control_index(v, item);
    if (i < 0) return;
    const std::string utf8 = utf16_to_utf8(text);
    if (v->layout->controls[i].kind == ControlKind::edit) {
        const size_t n = std::min(utf8.size(), sizeof v->edit - 1);
        std::memcpy(v->edit, utf8.data(), n);
        v->edit[n] = 0;
    } else {
        v->texts[static_cast<size_t>(i)] = utf8;
    }
    dialog_views_changed();
}

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    out[0] = 0;
    DialogView* v = static_cast<DialogView*>(dialog);
    const int i = control_index(v, item);
    if (i < 0) return;
    const std::u16string text = utf8_to_utf16(
        v->layout->controls[i].kind == ControlKind::edit ? std::string(v->edit) : v->texts[static_cast<size_t>(i)]);
    const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
    text.copy(out, n);
    out[n] = 0;
}

void message_box(const char16_t* text, const char16_t* caption) {
    if (!may_open()) return;
    DialogView v;
    dialog_view_init_box(v, utf16_to_utf8(text), utf16_to_utf8(caption));
    v.window = window_rules().open(WindowKind::box);
    dialog_view_add(&v);
    run_loop(v);
}
