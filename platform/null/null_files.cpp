// The files port of the null platform: the system's own calls, behind the
// failure switches of null_files. The executable's name is null_files'.

#include <cstring>
#include <string_view>

#include "platform/files.h"
#include "platform/null/null_platform.h"
#include "platform/os/os_files.h"

namespace {

bool ends_with(const char16_t* path, const std::u16string& name) {
    const std::u16string_view p(path);
    return !name.empty() && p.size() >= name.size() && p.substr(p.size() - name.size()) == name;
}

}  // namespace

std::FILE* file_open(const char16_t* path, const char* mode) {
    // Counted in place, never in a growing record: frames open effect files,
    // and the allocation suites count every allocation of a frame.
    ++null_files.opens;
    std::strncpy(null_files.last_open_mode, mode, sizeof null_files.last_open_mode - 1);
    if (ends_with(path, null_files.fail_open_for)) return nullptr;
    const bool writes = std::strpbrk(mode, "wa+") != nullptr;
    if (!writes || !null_files.fail_writes) return os_file_open(path, mode);
    // Create the file as asked, then hand back a stream that cannot write:
    // the caller sees a file that exists and refuses its bytes.
    std::FILE* created = os_file_open(path, mode);
    if (!created) return nullptr;
    std::fclose(created);
    return os_file_open(path, "rb");
}

bool file_replace(const char16_t* from, const char16_t* to) {
    return !null_files.fail_replace && os_file_replace(from, to);
}

bool file_remove(const char16_t* path) { return os_file_remove(path); }

bool file_sync(std::FILE* f) { return os_file_sync(f); }

void module_file_name(char16_t* out, int capacity) {
    int i = 0;
    for (; i < capacity - 1 && i < static_cast<int>(null_files.module_name.size()); ++i)
        out[i] = null_files.module_name[i];
    out[i] = 0;
}
