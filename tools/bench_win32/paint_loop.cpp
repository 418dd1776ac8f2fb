// waxdrop-paintbench.exe OUT SECONDS [draw]: the bare paint loop the game's
// frame rate is measured against. A window of the game's size and style
// whose WM_PAINT does only what every frame of the game ends with: copy the
// paint rectangle from a 640 x 440 memory bitmap (BitBlt SRCCOPY) and ask for
// the next paint (RedrawWindow with RDW_INVALIDATE | RDW_INTERNALPAINT).
// With "draw" each paint first does the GDI work of a frame of level 1 as
// well (the black Rectangle, 86 sprite-sized BitBlt SRCPAINT, a DrawTextW
// line in a 20-pixel font), without any game, to tell the cost of the
// drawing that every frame must do from the cost of the game around it. After
// SECONDS it closes and writes "frames N ms M" to OUT, then one line
// "second S frames N" per second of the run.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

HDC buffer_dc = nullptr;
HDC sprite_dc = nullptr;
HFONT font = nullptr;
bool draw_frame = false;

// What a frame of level 1 draws, the same calls in the same numbers.
void draw_like_a_frame() {
    SelectObject(buffer_dc, GetStockObject(BLACK_BRUSH));
    Rectangle(buffer_dc, 0, 0, 640, 440);
    BitBlt(buffer_dc, 320, 400, 64, 16, sprite_dc, 0, 0, SRCPAINT);  // paddle
    BitBlt(buffer_dc, 347, 200, 24, 24, sprite_dc, 0, 0, SRCPAINT);  // ball
    for (int x = 0; x <= 608; x += 32)
        for (int y = 116; y <= 164; y += 16) BitBlt(buffer_dc, x, y, 32, 16, sprite_dc, 0, 0, SRCPAINT);
    for (int k = 0; k < 5; ++k) BitBlt(buffer_dc, 64 + 128 * k, 68, 32, 16, sprite_dc, 0, 0, SRCPAINT);
    SetTextColor(buffer_dc, RGB(255, 0, 255));
    SetBkColor(buffer_dc, RGB(0, 0, 0));
    SelectObject(buffer_dc, font);
    RECT line{0, 0, 640, 20};
    DrawTextW(buffer_dc, L"SCORE: 0        LEVEL: 1        BALLS: 3        BULLETS: 25", -1, &line,
              DT_CENTER | DT_NOCLIP);
}
unsigned long long frames = 0;
DWORD first_tick = 0, last_tick = 0, run_ms = 10000;
constexpr DWORD max_seconds = 3600;
unsigned per_second[max_seconds] = {};

LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (draw_frame) draw_like_a_frame();
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_dc, r.left, r.top, SRCCOPY);
        const DWORD now = GetTickCount();
        if (frames++ == 0) first_tick = now;
        last_tick = now;
        if ((now - first_tick) / 1000 < max_seconds) ++per_second[(now - first_tick) / 1000];
        if (now - first_tick >= run_ms) {
            EndPaint(window, &ps);
            DestroyWindow(window);
            return 0;
        }
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    run_ms = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10) * 1000);
    draw_frame = argc > 3 && std::wcscmp(argv[3], L"draw") == 0;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"WaxDropPaintBench";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"WaxDrop paint bench",
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                  480, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    buffer_dc = CreateCompatibleDC(display);
    HBITMAP buffer = CreateCompatibleBitmap(display, 640, 440);
    SelectObject(buffer_dc, buffer);
    PatBlt(buffer_dc, 0, 0, 640, 440, WHITENESS);
    sprite_dc = CreateCompatibleDC(display);
    HBITMAP sprite = CreateCompatibleBitmap(display, 64, 24);
    SelectObject(sprite_dc, sprite);
    PatBlt(sprite_dc, 0, 0, 64, 24, WHITENESS);
    font = CreateFontW(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteDC(buffer_dc);
    DeleteDC(sprite_dc);
    DeleteObject(buffer);
    DeleteObject(sprite);
    DeleteObject(font);
    DeleteDC(display);
    if (FILE* out = _wfopen(argv[1], L"w")) {
        const DWORD ms = last_tick - first_tick;
        std::fprintf(out, "frames %llu ms %lu\n", frames, static_cast<unsigned long>(ms));
        for (DWORD s = 0; s <= ms / 1000 && s < max_seconds; ++s)
            std::fprintf(out, "second %lu frames %u\n", static_cast<unsigned long>(s), per_second[s]);
        std::fclose(out);
    }
    return 0;
}
