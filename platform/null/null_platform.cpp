#include "platform/null/null_platform.h"

#include "platform/clock.h"
#include "platform/window.h"

NullClock null_clock;
NullPointer null_pointer;
NullFiles null_files;
NullWindow null_window;

void reset_null_platform() {
    null_clock = NullClock{};
    null_pointer = NullPointer{};
    null_files = NullFiles{};
    null_window = NullWindow{};
}

void window_destroy() { ++null_window.destroys; }

uint32_t clock_ms() { return null_clock.now; }

ClipRect pointer_clip() { return null_pointer.clip; }
void pointer_confine(const ClipRect& r) {
    null_pointer.clip = r;
    null_pointer.calls.push_back({NullPointer::Call::confine, r});
}
ClipRect pointer_window_rect() { return null_pointer.window; }
void pointer_show(bool show) {
    null_pointer.show_count += show ? 1 : -1;
    null_pointer.calls.push_back({show ? NullPointer::Call::show : NullPointer::Call::hide, {}});
}
float pointer_client_x() { return null_pointer.client_x; }
