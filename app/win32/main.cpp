// The Win32 game: entry point, main window and message loop. The window
// procedure only turns messages into the game's calls; the game's rules live
// in the core. Every frame is one WM_PAINT: the frame ends by asking for the
// next paint, so the game runs as fast as the message loop turns, and mouse,
// key and menu messages are handled between two frames.

#include <windows.h>

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_shell.h"
#include "resources/resource_ids.h"

namespace {

constexpr int text_capacity = 100;
wchar_t window_title[text_capacity];
wchar_t class_name[text_capacity];

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

void register_main_class(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = main_window_proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_WAXDROP));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDC_WAXDROP);
    wc.lpszClassName = class_name;
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    RegisterClassExW(&wc);
}

bool create_main_window(HINSTANCE instance, int show) {
    Win32Shell& s = win32_shell;
    s.instance = instance;
    // WM_CREATE runs game_start in here: audio, scores and the game are set
    // up before any surface exists, and nothing it calls draws.
    HWND window = CreateWindowExW(0, class_name, window_title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!window) return false;
    s.main_window = window;

    canvas_create_surfaces(instance);

    // The paint that showing causes draws the first frame, before the loop.
    ShowWindow(window, show);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        win32_shell.main_window = window;
        game_start();
        return 0;
    case WM_DESTROY:
        game_shutdown();
        canvas_release_surfaces();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        frame_step(PaintInfo{dc, {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom}});
        EndPaint(window, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        return 0;
    case WM_KEYUP:
        key_released(static_cast<int>(wparam));
        return 0;
    case WM_COMMAND:
        if (menu_command(LOWORD(wparam))) return 0;
        return DefWindowProcW(window, message, wparam, lparam);
    case WM_MOUSEMOVE:
        mouse_moved();
        return 0;
    case WM_LBUTTONDOWN:
        left_button_down();
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    LoadStringW(instance, IDS_APP_TITLE, window_title, text_capacity);
    LoadStringW(instance, IDC_WAXDROP, class_name, text_capacity);
    register_main_class(instance);
    if (!create_main_window(instance, show)) return 0;

    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_WAXDROP));
    MSG msg{};
    // GetMessageW answers -1 only for a bad argument; stop rather than spin.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
