// waxdrop-wintext.exe [--counts]: prints, as one line of JSON, what the game's windows
// show: which window has the keyboard, whether the main window is enabled,
// the main window's outer rectangle in its client coordinates, and each
// visible dialog and message box of the game (bottom first) with
// its caption, whether it is owned by the main window, and its controls'
// ids, classes, texts and places in the main window's client coordinates.
// The same shape the Linux game publishes on its window, so the end-to-end
// flows read both alike. Exit status 1 when the game's window is not there.

#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND main_window = nullptr;

std::string utf8(const wchar_t* text) {
    char out[2048];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return n > 0 ? out : "";
}

std::string json(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// WM_GETTEXT, not GetWindowText: only the message reaches the text an edit
// control of another process holds.
std::string text_of(HWND w) {
    wchar_t text[512] = L"";
    DWORD_PTR got = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
    return utf8(text);
}

std::string rect_of(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    POINT a{r.left, r.top};
    ScreenToClient(main_window, &a);
    char out[64];
    std::snprintf(out, sizeof out, "[%ld,%ld,%ld,%ld]", a.x, a.y, r.right - r.left, r.bottom - r.top);
    return out;
}

std::string kind_of_control(HWND w) {
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (_wcsicmp(cls, L"Button") == 0) return "button";
    if (_wcsicmp(cls, L"Edit") == 0) return "edit";
    if (_wcsicmp(cls, L"Static") == 0) return (GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON ? "icon" : "static";
    return utf8(cls);
}

BOOL CALLBACK add_control(HWND child, LPARAM out) {
    auto& s = *reinterpret_cast<std::string*>(out);
    if (GetParent(child) != GetAncestor(child, GA_ROOT)) return TRUE;  // direct children only
    s += "{\"kind\":\"" + kind_of_control(child) + "\",\"id\":" + std::to_string(static_cast<short>(GetDlgCtrlID(child))) +
         ",\"rect\":" + rect_of(child) + ",\"text\":" + json(kind_of_control(child) == "icon" ? "107" : text_of(child)) +
         "},";
    return TRUE;
}

std::vector<HWND> game_windows;

BOOL CALLBACK collect(HWND w, LPARAM) {
    DWORD pid = 0, main_pid = 0;
    GetWindowThreadProcessId(w, &pid);
    GetWindowThreadProcessId(main_window, &main_pid);
    if (pid == main_pid && w != main_window && IsWindowVisible(w)) game_windows.insert(game_windows.begin(), w);
    return TRUE;
}

// The system's list of every open handle (SystemHandleInformation), as the
// kernel and Wine's server keep it; the entries whose owner is pid.
struct HandleEntry {
    ULONG owner;
    BYTE type, flags;
    USHORT value;
    PVOID object;
    ULONG access;
};
long long listed_handles(DWORD pid) {
    constexpr auto system_handle_information = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    std::vector<char> buffer(1 << 16);
    for (int tries = 0; tries < 12; ++tries, buffer.resize(buffer.size() * 2)) {
        ULONG needed = 0;
        const NTSTATUS status =
            NtQuerySystemInformation(system_handle_information, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) continue;  // the buffer was too small
        if (status < 0) return -1;
        const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
        const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
        long long mine = 0;
        for (ULONG i = 0; i < count; ++i) mine += entries[i].owner == pid;
        return mine;
    }
    return -1;
}

struct WindowCount {
    DWORD pid;
    long long windows;
};
BOOL CALLBACK count_child(HWND, LPARAM counts) {
    ++reinterpret_cast<WindowCount*>(counts)->windows;
    return TRUE;
}
BOOL CALLBACK count_window(HWND window, LPARAM counts) {
    auto* c = reinterpret_cast<WindowCount*>(counts);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != c->pid) return TRUE;
    ++c->windows;
    EnumChildWindows(window, count_child, counts);
    return TRUE;
}

// With --counts, what the long real-play run watches in the game's process,
// on one line: "listed_handles N windows N", its kernel handles as the
// system's list of every handle counts them, and its windows, top-level and
// child. A count the system will not give is printed as -1.
int print_counts() {
    DWORD pid = 0;
    GetWindowThreadProcessId(main_window, &pid);
    WindowCount windows{pid, 0};
    EnumWindows(count_window, reinterpret_cast<LPARAM>(&windows));
    std::printf("listed_handles %lld windows %lld\n", listed_handles(pid), windows.windows);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    main_window = FindWindowW(L"WAXDROP", nullptr);
    if (!main_window) return 1;
    if (argc > 1 && wcscmp(argv[1], L"--counts") == 0) return print_counts();
    EnumWindows(collect, 0);  // top first: each goes in front, so the list ends bottom first
    const HWND active = GetForegroundWindow();
    int keyboard = active == main_window ? 0 : -1;
    std::string windows;
    for (size_t i = 0; i < game_windows.size(); ++i) {
        const HWND w = game_windows[i];
        if (w == active) keyboard = static_cast<int>(i) + 1;
        wchar_t caption[256] = L"";
        GetWindowTextW(w, caption, 256);
        std::string controls;
        EnumChildWindows(w, add_control, reinterpret_cast<LPARAM>(&controls));
        if (!controls.empty()) controls.pop_back();
        windows += "{\"id\":" + std::to_string(i + 1) + ",\"kind\":\"" +
                   (GetWindow(w, GW_OWNER) == main_window ? "dialog" : "box") + "\",\"rect\":" + rect_of(w) +
                   ",\"caption\":" + json(utf8(caption)) + ",\"controls\":[" + controls + "]},";
    }
    if (!windows.empty()) windows.pop_back();
    // The main window's outer rectangle in its client coordinates.
    RECT outer{};
    GetWindowRect(main_window, &outer);
    POINT a{outer.left, outer.top}, b{outer.right, outer.bottom};
    ScreenToClient(main_window, &a);
    ScreenToClient(main_window, &b);
    std::printf("{\"keyboard\":%d,\"main_enabled\":%s,\"frame\":[%ld,%ld,%ld,%ld],\"windows\":[%s]}\n",
                keyboard, IsWindowEnabled(main_window) ? "true" : "false", a.x, a.y, b.x, b.y, windows.c_str());
    return 0;
}
