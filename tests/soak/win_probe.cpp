// waxdrop-winprobe.exe CAPTION: finds the visible top-level window titled
// CAPTION and prints, on one line, what its process holds:
//   pid P gdi N user N handles N listed_handles N windows N working_set_kb N private_kb N
// GDI and USER objects (GetGuiResources), kernel handles (GetProcessHandleCount,
// and counted in the system's list of every handle), its windows, top-level
// and child, and memory as Windows counts it. A value the system will not
// give is printed as -1; Wine gives 0 for GDI and USER objects. Exit status 1
// when no such window exists. The long real-play run watches the game with it.

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

namespace {

HWND visible_window(const wchar_t* caption) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, caption)) != nullptr)
        if (IsWindowVisible(window)) return window;
    return nullptr;
}

long long kb(SIZE_T bytes) { return static_cast<long long>(bytes / 1024); }

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const HWND window = visible_window(argv[1]);
    if (!window) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    long long gdi = -1, user = -1, handles = -1, working_set = -1, private_bytes = -1;
    if (process) {
        gdi = GetGuiResources(process, GR_GDIOBJECTS);
        user = GetGuiResources(process, GR_USEROBJECTS);
        DWORD count = 0;
        if (GetProcessHandleCount(process, &count)) handles = count;
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
            working_set = kb(memory.WorkingSetSize);
            private_bytes = kb(memory.PagefileUsage);
        }
        CloseHandle(process);
    }
    WindowCount windows{pid, 0};
    EnumWindows(count_window, reinterpret_cast<LPARAM>(&windows));
    std::printf("pid %lu gdi %lld user %lld handles %lld listed_handles %lld windows %lld working_set_kb %lld "
                "private_kb %lld\n",
                static_cast<unsigned long>(pid), gdi, user, handles, listed_handles(pid), windows.windows, working_set,
                private_bytes);
    return 0;
}
