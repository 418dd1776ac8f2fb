// The Win32 game: entry point, main window and message loop. The window
// procedure only turns messages into the game's calls; the game's rules live
// in the core. Every frame is one WM_PAINT: the frame ends by asking for the
// next paint, so the game runs as fast as the message loop turns, and mouse,
// key and menu messages are handled between two frames.

#include <windows.h>

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
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

// Each image is selected into its context for the whole run; a missing one
// leaves its context empty and its sprites simply unseen.
HBITMAP load_image_into(HDC dc, int id) {
    auto image = static_cast<HBITMAP>(
        LoadImageW(win32_shell.instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (image) SelectObject(dc, image);
    return image;
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

    s.display_dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    s.back_dc = CreateCompatibleDC(s.display_dc);
    s.paddle_dc = CreateCompatibleDC(s.display_dc);
    s.comb_dc = CreateCompatibleDC(s.display_dc);
    s.bee_dc_a = CreateCompatibleDC(s.display_dc);
    s.bee_dc_b = CreateCompatibleDC(s.display_dc);
    s.bullet_dc = CreateCompatibleDC(s.display_dc);
    s.ball_dc = CreateCompatibleDC(s.display_dc);

    s.back_buffer = CreateCompatibleBitmap(s.display_dc, field_width, field_height);
    if (s.back_buffer) SelectObject(s.back_dc, s.back_buffer);

    s.paddle_image = load_image_into(s.paddle_dc, IDB_PADDLE);
    s.comb_image = load_image_into(s.comb_dc, IDB_COMB);
    s.bee_image_a = load_image_into(s.bee_dc_a, IDB_BEE_A);
    s.bee_image_b = load_image_into(s.bee_dc_b, IDB_BEE_B);
    s.bullet_image = load_image_into(s.bullet_dc, IDB_BULLET);
    s.ball_image = load_image_into(s.ball_dc, IDB_BALL);

    s.hud_font = CreateFontW(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);

    // The paint that showing causes draws the first frame, before the loop.
    ShowWindow(window, show);
    UpdateWindow(window);
    return true;
}

template <typename Handle>
void delete_object(Handle& h) {
    if (h) DeleteObject(h);
    h = nullptr;
}

void delete_dc(HDC& dc) {
    if (dc) DeleteDC(dc);
    dc = nullptr;
}

// After the game has shut down: the contexts first, since a bitmap or font
// still selected into one cannot be deleted; then only what was created.
void release_surfaces() {
    Win32Shell& s = win32_shell;
    delete_dc(s.back_dc);
    delete_dc(s.paddle_dc);
    delete_dc(s.bee_dc_a);
    delete_dc(s.bee_dc_b);
    delete_dc(s.bullet_dc);
    delete_dc(s.comb_dc);
    delete_dc(s.ball_dc);
    delete_dc(s.display_dc);
    delete_object(s.hud_font);
    delete_object(s.back_buffer);
    delete_object(s.bee_image_a);
    delete_object(s.bee_image_b);
    delete_object(s.bullet_image);
    delete_object(s.comb_image);
    delete_object(s.paddle_image);
    delete_object(s.ball_image);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        win32_shell.main_window = window;
        game_start();
        return 0;
    case WM_DESTROY:
        game_shutdown();
        release_surfaces();
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
