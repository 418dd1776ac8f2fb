#pragma once
// Files the game reads and writes, named by UTF-16 paths. Window thread.

#include <cstdio>

// Room for a media path, its terminating zero included.
constexpr int media_path_capacity = 260;

// The full path of a media file: the executable's folder, "media", then name.
// Never writes more than media_path_capacity units to out; when the path
// would not fit, out becomes empty and the result is false.
bool media_path(const char16_t* name, char16_t* out);

// The full path of a file the game keeps for its player between runs (the
// score file and its temporary twin). On Windows that is the media folder, as
// it always was; an installed Linux game cannot write beside its binary, so
// there it is the player's data folder. With make_folder the folder is created
// when missing (only saving asks for that; loading never creates anything).
// Same contract as media_path: at most media_path_capacity units, false and
// empty when the path does not fit.
bool score_path(const char16_t* name, char16_t* out, bool make_folder);

// Open path with a C stdio mode ("rb", "wb", ...); null when it cannot.
std::FILE* file_open(const char16_t* path, const char* mode);
// Put from in place of to in one step, so that to is either wholly the old
// file or wholly the new one; true on success.
bool file_replace(const char16_t* from, const char16_t* to);
// Remove path; true when it is gone.
bool file_remove(const char16_t* path);
// Write what is buffered for f through to the disk; true on success.
bool file_sync(std::FILE* f);

// The running executable's file name, as GetModuleFileNameW gives it: at most
// capacity units, the last one always zero. Provided by the shell's platform
// (or, in tests, by the null platform, which points it at a scratch folder).
void module_file_name(char16_t* out, int capacity);
