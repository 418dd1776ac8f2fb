// The media folder's paths, built the same way on every system: the
// executable's own name cut after its folder, then "media" and the file name.

#include "platform/files.h"
#include "platform/os/path_separator.h"

bool media_path(const char16_t* name, char16_t* out) {
    char16_t module[media_path_capacity];
    module_file_name(module, media_path_capacity);
    module[media_path_capacity - 1] = 0;

    int dir_length = -1;
    for (int i = 0; module[i]; ++i)
        if (module[i] == path_separator) dir_length = i;

    // dir + sep + "media" + sep + name + zero, all of it or nothing.
    static constexpr char16_t media[] = u"media";
    int n = 0;
    auto put = [&](char16_t c) {
        if (n < media_path_capacity - 1) out[n] = c;
        ++n;
    };
    for (int i = 0; i < dir_length; ++i) put(module[i]);
    if (dir_length >= 0) put(path_separator);
    for (const char16_t* m = media; *m; ++m) put(*m);
    put(path_separator);
    for (const char16_t* s = name; *s; ++s) put(*s);
    if (n > media_path_capacity - 1) {
        out[0] = 0;
        return false;
    }
    out[n] = 0;
    return true;
}
