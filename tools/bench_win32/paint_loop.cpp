// waxdrop-paintbench.exe OUT SECONDS: the bare paint loop the game's frame
// rate is measured against. A window of the game's size and style whose
// WM_PAINT does only what every frame of the game ends with: copy the paint
// rectangle from a 640 x 440 memory bitmap (BitBlt SRCCOPY) and ask for the
// next paint (RedrawWindow with RDW_INVALIDATE | RDW_INTERNALPAINT). After
// SECONDS it closes and writes "frames N ms M" to OUT, then one line
// "second S frames N" per second of the run.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

HDC buffer_dc = nullptr;
unsigned long long frames = 0;
DWORD first_tick = 0, last_tick = 0, run_ms = 10000;
constexpr DWORD max_seconds = 3600;
unsigned per_second[max_seconds] = {};

LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
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
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteDC(buffer_dc);
    DeleteObject(buffer);
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
