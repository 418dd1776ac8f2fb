// The main window as the core sees it: File > Exit ends it.

#include "platform/window.h"
#include "platform/win32/win32_shell.h"

Win32Shell win32_shell;

// The destroy handler runs inside DestroyWindow, so the game has shut down
// and the quit message is posted by the time this returns.
void window_destroy() { DestroyWindow(win32_shell.main_window); }
