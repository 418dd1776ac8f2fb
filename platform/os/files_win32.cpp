// Files on Windows: wide paths straight to the runtime and the kernel.

#include <windows.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/os/os_files.h"

namespace {
const wchar_t* wide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
}

std::FILE* os_file_open(const char16_t* path, const char* mode) {
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    std::FILE* f = nullptr;
    if (_wfopen_s(&f, wide(path), wmode.c_str()) != 0) return nullptr;
    return f;
}

bool os_file_replace(const char16_t* from, const char16_t* to) {
    return MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool os_file_remove(const char16_t* path) { return DeleteFileW(wide(path)) != 0; }

bool os_file_sync(std::FILE* f) { return std::fflush(f) == 0 && _commit(_fileno(f)) == 0; }
