// Modal dialogs and message boxes inside the game's window. Each runs a loop
// of its own on the one event pump, so frames go on behind it, as they do
// behind the system's dialogs on Windows.

#include "platform/dialogs.h"

#include <algorithm>
#include <cstring>

#include "platform/os/utf.h"
#include "platform/sdl/sdl_shell.h"
#include "platform/sdl/sdl_ui.h"

namespace {

// Turn the pump until d has ended, or until the window is gone (then every
// open dialog ends as if cancelled, so the loops unwind to the main loop).
void run_loop(UiDialog& d) {
    ui_push_dialog(&d);
    shell_enter_loop();
    while (!d.ended && shell_window_exists()) shell_pump();
    shell_leave_loop();
    ui_pop_dialog(&d);
}

int control_index(const UiDialog* d, int item) {
    if (!d->layout) return -1;
    for (int i = 0; i < d->layout->control_count; ++i)
        if (d->layout->controls[i].id == item) return i;
    return -1;
}

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    const DialogLayout* layout = find_dialog_layout(template_id);
    if (!layout || !shell_window_exists()) return -1;
    UiDialog d;
    d.layout = layout;
    d.proc = proc;
    for (int i = 0; i < layout->control_count; ++i) d.texts.emplace_back(layout->controls[i].text);
    proc(&d, DialogEvent::init, 0);
    if (!d.ended) run_loop(d);
    return d.result;
}

void dialog_end(DialogHandle dialog, intptr_t result) {
    UiDialog* d = static_cast<UiDialog*>(dialog);
    d->ended = true;
    d->result = result;
}

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) {
    UiDialog* d = static_cast<UiDialog*>(dialog);
    const int i = control_index(d, item);
    if (i < 0) return;
    const std::string utf8 = utf16_to_utf8(text);
    if (d->layout->controls[i].kind == ControlKind::edit) {
        const size_t n = std::min(utf8.size(), sizeof d->edit - 1);
        std::memcpy(d->edit, utf8.data(), n);
        d->edit[n] = 0;
    } else {
        d->texts[static_cast<size_t>(i)] = utf8;
    }
    ui_touch();
}

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    out[0] = 0;
    UiDialog* d = static_cast<UiDialog*>(dialog);
    const int i = control_index(d, item);
    if (i < 0) return;
    const std::u16string text = utf8_to_utf16(d->layout->controls[i].kind == ControlKind::edit
                                                  ? std::string(d->edit)
                                                  : d->texts[static_cast<size_t>(i)]);
    const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
    text.copy(out, n);
    out[n] = 0;
}

void message_box(const char16_t* text, const char16_t* caption) {
    if (!shell_window_exists()) return;
    UiDialog d;
    d.message = utf16_to_utf8(text);
    d.caption = utf16_to_utf8(caption);
    run_loop(d);
}

void ui_dialog_command(UiDialog* d, int command) {
    if (d->ended) return;
    if (!d->layout) {
        dialog_end(d, command);
        return;
    }
    d->proc(d, DialogEvent::command, command);
}
