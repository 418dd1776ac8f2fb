#pragma once
// Scripted stand-ins for the ports, for tests and headless tools. Each port's
// state is a plain struct the test sets up and reads back; reset_null_platform
// puts all of them back to their defaults (device present, nothing recorded).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/pointer.h"

// Clock: clock_ms returns now.
struct NullClock {
    uint32_t now = 0;
};
extern NullClock null_clock;

// Pointer: the confinement and visibility calls, in order.
struct NullPointer {
    struct Call {
        enum Kind { confine, show, hide } kind;
        ClipRect rect;
    };
    ClipRect clip{0, 0, 1920, 1080};
    ClipRect window{100, 50, 740, 530};
    float client_x = 320.0f;
    int show_count = 0;  // like the system's display counter: 0 shown, below 0 hidden
    std::vector<Call> calls;
};
extern NullPointer null_pointer;

// Files: the executable's name that media_path starts from, and switches
// that make the system's file calls fail the way a full disk or a file held
// by another program would. The files themselves are real.
struct NullFiles {
    std::u16string module_name;
    // file_open of a path ending in this name fails (nothing is created).
    std::u16string fail_open_for;
    // A file opened for writing is created, but every write to it fails.
    bool fail_writes = false;
    // file_replace fails and leaves both files as they were.
    bool fail_replace = false;
    // Read back: how many file_open calls there were, and the last one's mode.
    int opens = 0;
    char last_open_mode[8] = {};
};
extern NullFiles null_files;

// Window: how many times the core asked for the main window's end.
struct NullWindow {
    int destroys = 0;
};
extern NullWindow null_window;

void reset_null_platform();
