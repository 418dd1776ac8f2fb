// Files on POSIX systems: UTF-16 paths become UTF-8 bytes.

#include <unistd.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/os/os_files.h"
#include "platform/os/utf.h"

std::FILE* os_file_open(const char16_t* path, const char* mode) {
    // Effects are opened many times a second during play: a media path
    // fits on the stack, so opening one allocates nothing of ours.
    char bytes[4 * media_path_capacity];
    if (utf16_to_utf8(path, bytes, sizeof bytes)) return std::fopen(bytes, mode);
    return std::fopen(utf16_to_utf8(path).c_str(), mode);
}

bool os_file_replace(const char16_t* from, const char16_t* to) {
    return std::rename(utf16_to_utf8(from).c_str(), utf16_to_utf8(to).c_str()) == 0;
}

bool os_file_remove(const char16_t* path) { return std::remove(utf16_to_utf8(path).c_str()) == 0; }

bool os_file_sync(std::FILE* f) { return std::fflush(f) == 0 && fsync(fileno(f)) == 0; }
