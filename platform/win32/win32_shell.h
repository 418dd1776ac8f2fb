#pragma once
// What the Win32 ports share with the shell: the module, whose resources the
// dialogs load, and the main window, which the pointer, the dialogs and the
// frame requests refer to. Set by app/win32 (the window as soon as its
// creation message arrives), read by the ports on the window thread.

#include <windows.h>

struct Win32Shell {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;
};

extern Win32Shell win32_shell;
