// The files port of a real program: the system's calls, nothing in between.
// Compiled a second time with WAXDROP_FAULTS for waxdrop-faults, a build the
// fault tests start; the game that ships never has that switch.

#include "platform/files.h"
#include "platform/os/os_files.h"

#ifdef WAXDROP_FAULTS
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {
std::u16string last_written;
}

// The last file opened for writing is the one a failed push to the disk cuts.
std::FILE* file_open(const char16_t* path, const char* mode) {
    if (std::strpbrk(mode, "wa+")) last_written = path;
    return os_file_open(path, mode);
}

// With WAXDROP_FAIL_WRITE_AFTER=N a file takes its first N bytes and loses
// the rest, as on a disk that fills up half-way through a save. A file as
// small as the score file sits whole in the stream's buffer until this push,
// so this is where a full disk shows itself.
bool file_sync(std::FILE* f) {
    const char* after = std::getenv("WAXDROP_FAIL_WRITE_AFTER");
    if (!after || !*after || std::fflush(f) != 0) return os_file_sync(f);
    const long keep = std::strtol(after, nullptr, 10);
    if (std::ftell(f) <= keep) return os_file_sync(f);
    std::error_code ignored;
    std::filesystem::resize_file(std::filesystem::path(last_written), static_cast<std::uintmax_t>(keep), ignored);
    return false;
}
#else
std::FILE* file_open(const char16_t* path, const char* mode) { return os_file_open(path, mode); }
bool file_sync(std::FILE* f) { return os_file_sync(f); }
#endif

bool file_replace(const char16_t* from, const char16_t* to) { return os_file_replace(from, to); }
bool file_remove(const char16_t* path) { return os_file_remove(path); }
