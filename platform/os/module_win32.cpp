// The running executable's name on Windows.

#include <windows.h>

#include "platform/files.h"

void module_file_name(char16_t* out, int capacity) {
    GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(out), static_cast<DWORD>(capacity));
    out[capacity - 1] = 0;
}
