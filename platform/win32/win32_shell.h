#pragma once
// What the Win32 shell creates and the Win32 ports draw and point with: the
// module, the main window, and the drawing surfaces. Set up by app/win32 at
// start-up, released there at shutdown; read by the ports on the window
// thread. A handle that could not be obtained stays null and the GDI call
// that gets it does nothing, so a missing surface only leaves a picture out.

#include <windows.h>

struct Win32Shell {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;

    HDC display_dc = nullptr;
    HDC back_dc = nullptr;
    HDC paddle_dc = nullptr;
    HDC comb_dc = nullptr;
    HDC bee_dc_a = nullptr;
    HDC bee_dc_b = nullptr;
    HDC bullet_dc = nullptr;
    HDC ball_dc = nullptr;

    HBITMAP back_buffer = nullptr;
    HBITMAP paddle_image = nullptr;  // 129
    HBITMAP comb_image = nullptr;    // 130
    HBITMAP bee_image_a = nullptr;   // 131
    HBITMAP ball_image = nullptr;    // 132
    HBITMAP bee_image_b = nullptr;   // 133
    HBITMAP bullet_image = nullptr;  // 136

    HFONT hud_font = nullptr;
};

extern Win32Shell win32_shell;
