#pragma once
// The Linux game's one event pump, turned by the main loop and by every
// modal loop: each turn hands every waiting event to the window rules and
// does what they say, then runs one frame when one is due. Window thread only.

#include "platform/shell/shell_handlers.h"

void events_set_handlers(const ShellHandlers& handlers);
// Run the frame the window's showing asks for.
void events_paint();
// One turn of the pump.
void shell_pump();
// The main window closes, as its close box does (the benchmark leaves this way).
void shell_request_close();
// True once the destroy handler has run; the main loop ends then.
bool shell_window_destroyed();
