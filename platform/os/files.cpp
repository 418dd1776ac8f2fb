// The files port of a real program: the system's calls, nothing in between.

#include "platform/files.h"
#include "platform/os/os_files.h"

std::FILE* file_open(const char16_t* path, const char* mode) { return os_file_open(path, mode); }
bool file_replace(const char16_t* from, const char16_t* to) { return os_file_replace(from, to); }
bool file_remove(const char16_t* path) { return os_file_remove(path); }
bool file_sync(std::FILE* f) { return os_file_sync(f); }
