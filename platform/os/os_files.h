#pragma once
// The system's own file calls, one for each call of the files port
// (platform/files.h). A real program's port passes straight through to them
// (os/files.cpp); the null platform puts its failure switches in front.

#include <cstdio>

std::FILE* os_file_open(const char16_t* path, const char* mode);
bool os_file_replace(const char16_t* from, const char16_t* to);
bool os_file_remove(const char16_t* path);
bool os_file_sync(std::FILE* f);
