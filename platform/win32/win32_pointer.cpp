// The mouse pointer: its confinement while the game runs, its visibility,
// and its x in the main window's client coordinates.

#include "platform/pointer.h"
#include "platform/win32/win32_shell.h"

namespace {
ClipRect from_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

ClipRect pointer_clip() {
    RECT r{};
    GetClipCursor(&r);
    return from_rect(r);
}

void pointer_confine(const ClipRect& c) {
    const RECT r{c.left, c.top, c.right, c.bottom};
    ClipCursor(&r);
}

ClipRect pointer_window_rect() {
    RECT r{};
    GetWindowRect(win32_shell.main_window, &r);
    return from_rect(r);
}

void pointer_show(bool show) { ShowCursor(show ? TRUE : FALSE); }

// Where the pointer is now, not where the message says it was.
float pointer_client_x() {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(win32_shell.main_window, &p);
    return static_cast<float>(p.x);
}
