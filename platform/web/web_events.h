#pragma once
// The browser game's one pump, turned by the main loop and by every modal
// loop: each turn gives the browser its turn, then hands the sound device's
// notices, the routes the window rules gave the page's events, the dialogs'
// button presses and the music timer to whoever they belong to, and runs one
// frame when one is due. Page thread only.

#include "platform/shell/shell_handlers.h"

void events_set_handlers(const ShellHandlers& handlers);
// Run the frame the window's showing asks for.
void events_paint();
// One turn of the pump.
void shell_pump();
// True once the destroy handler has run; the main loop ends then.
bool shell_window_destroyed();
