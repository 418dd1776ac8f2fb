#pragma once
// What the browser shell's ports share: the page's canvas standing for the
// window, the one pump that the main loop and every modal loop turn, and what
// each port hands to that pump. Everything runs on the page's one thread; a
// loop that waits gives the browser its turn through Asyncify.

#include <cstdint>

#include "platform/canvas.h"

// What the page's events mean to the program. The app fills this in; the
// ports never call the game themselves.
struct ShellHandlers {
    void (*paint)(const PaintInfo& paint) = nullptr;  // one frame
    void (*mouse_moved)() = nullptr;
    void (*left_button_down)() = nullptr;
    void (*key_released)(int virtual_key) = nullptr;
    // The browser took the pointer lock back while the game held it.
    void (*pointer_lock_lost)() = nullptr;
    void (*destroyed)() = nullptr;                    // the destroy handler's part
};

// Attach to the page's field canvas and its input. False when the page has none.
bool shell_create_window(const ShellHandlers& handlers);
// The sprite images from bitmaps (a folder of the preloaded file system) and
// the score line's font; the display starts copying the field to the page.
void shell_build_surfaces(const char* bitmaps);
// Draw the first frame at once.
void shell_show();
// One turn of the pump: the browser's turn (input, audio, the display), then
// the sound device's notices, every waiting input event, the music timer, and
// one frame when the last one asked for it.
void shell_pump();
// True until the window is closing: dialog loops end then.
bool shell_window_exists();
// True once the destroy handler has run; the main loop ends then.
bool shell_window_destroyed();
// While a dialog owned by the window is open the field takes no input.
void shell_set_window_enabled(bool enabled);

// Files (web_files.cpp): bring the saved score folder in from the browser's
// storage; returns once it is there (or known to be empty).
void files_load_saved();

// Canvas (web_canvas.cpp): copy each new picture to the page at its refresh.
void canvas_start_display();
// True once per frame the game asked for.
bool canvas_frame_wanted();

// Music timer (web_timer.cpp): call every timer that is due, on this thread.
void timer_run_due();

// Effects (web_wave_out.cpp): hand each block the device has taken to the game.
void wave_out_deliver();

// Pointer (web_pointer.cpp): where the pointer went, from a page event
// (client x in field pixels, and the move while the pointer is locked).
void pointer_track(float client_x, float locked_dx);
// The browser released the lock (Esc, another window): true when the game
// had it, that is while the game ran.
bool pointer_lock_was_taken();

// Dialogs (web_dialogs.cpp): run the commands the open boxes received.
void dialogs_deliver();
