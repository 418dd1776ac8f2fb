#pragma once
// The main window itself, as far as the core needs it. Window thread only.

// Destroy the main window (File > Exit, DestroyWindow on Win32): the shell's
// destroy handler then runs game_shutdown and ends the message loop. Returns
// once the window is gone.
void window_destroy();
