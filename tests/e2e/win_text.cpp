// waxdrop-wintext.exe CAPTION: prints the texts of the child windows of the
// visible top-level window titled CAPTION, one per line, in their order
// (a dialog's controls in template order), after a first line "window" with
// the caption. Exit status 1 when no such window exists. The end-to-end
// tests read dialog and message box texts with it, since the X side of Wine
// shows only pictures.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void print_utf8(const wchar_t* text) {
    char out[1024];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    std::printf("%s\n", n > 0 ? out : "");
}

BOOL CALLBACK print_child(HWND child, LPARAM parent) {
    if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;  // direct children only
    // WM_GETTEXT, not GetWindowText: only the message reaches the text an
    // edit control of another process holds.
    wchar_t text[512] = L"";
    DWORD_PTR got = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
    print_utf8(text);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, argv[1])) != nullptr) {
        if (IsWindowVisible(window)) break;
    }
    if (!window) return 1;
    std::printf("window\n");
    EnumChildWindows(window, print_child, reinterpret_cast<LPARAM>(window));
    return 0;
}
