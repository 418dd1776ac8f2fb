#pragma once
// What the window's events mean to the program, for the shells that keep
// the window rules themselves: the app fills this in (app/game_handlers.h),
// and the ports never call the game themselves. Window thread only.

#include "platform/canvas.h"

struct ShellHandlers {
    void (*created)() = nullptr;                      // the creation handler: the game starts
    void (*destroyed)() = nullptr;                    // the destroy handler: the game shuts down
    void (*paint)(const PaintInfo& paint) = nullptr;  // one frame
    void (*mouse_moved)() = nullptr;
    void (*left_button_down)() = nullptr;
    void (*key_released)(int virtual_key) = nullptr;
    bool (*command)(int command) = nullptr;           // menu and accelerators
    void (*pointer_lock_lost)() = nullptr;            // the browser took the held pointer back
};
