// The running executable's name on Linux, from /proc.

#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/os/utf.h"

void module_file_name(char16_t* out, int capacity) {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    const std::u16string name = utf8_to_utf16(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0));
    int i = 0;
    for (; i < capacity - 1 && i < static_cast<int>(name.size()); ++i) out[i] = name[i];
    out[i] = 0;
}
