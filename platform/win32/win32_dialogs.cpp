// Modal dialogs over the game's own templates, and the owner-less message
// box. The core's dialog procedures see only "init" and "command"; this file
// is the real dialog procedure that translates the window messages for them.

#include "platform/dialogs.h"
#include "platform/win32/win32_shell.h"

namespace {

const wchar_t* wide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

// The core's procedure rides in the dialog's user slot from WM_INITDIALOG on;
// the few messages a dialog gets before that (WM_SETFONT) find it empty.
INT_PTR CALLBACK relay_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        auto proc = reinterpret_cast<DialogProc>(lparam);
        return proc(dialog, DialogEvent::init, 0) ? TRUE : FALSE;
    }
    if (message == WM_COMMAND) {
        auto proc = reinterpret_cast<DialogProc>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!proc) return FALSE;
        return proc(dialog, DialogEvent::command, LOWORD(wparam)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    return DialogBoxParamW(win32_shell.instance, MAKEINTRESOURCEW(template_id), win32_shell.main_window,
                           relay_proc, reinterpret_cast<LPARAM>(proc));
}

void dialog_end(DialogHandle dialog, intptr_t result) { EndDialog(static_cast<HWND>(dialog), result); }

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) {
    SetDlgItemTextW(static_cast<HWND>(dialog), item, wide(text));
}

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    out[0] = 0;
    GetDlgItemTextW(static_cast<HWND>(dialog), item, reinterpret_cast<wchar_t*>(out), capacity);
}

// No owner: the main window stays enabled, and its frames go on behind the box.
void message_box(const char16_t* text, const char16_t* caption) {
    MessageBoxW(nullptr, wide(text), wide(caption), MB_ICONWARNING | MB_OK);
}
