// Where the score file lives on Linux: $XDG_DATA_HOME/waxdrop, or
// ~/.local/share/waxdrop when that is unset or not absolute. An installed game
// sits in a folder the player cannot write, so the media folder will not do.

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/os/utf.h"

namespace {

std::string data_home() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || !home[0]) return {};
    return std::string(home) + "/.local/share";
}

// mkdir -p, one level at a time; true when the folder exists afterwards.
bool make_folders(const std::string& path) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool score_path(const char16_t* name, char16_t* out, bool make_folder) {
    out[0] = 0;
    const std::string home = data_home();
    if (home.empty()) return false;
    const std::string folder = home + "/waxdrop";
    // A folder that cannot be made shows up as a file that cannot be created,
    // which the save already reports.
    if (make_folder) make_folders(folder);
    const std::u16string path = utf8_to_utf16(folder + "/") + name;
    if (path.size() > static_cast<size_t>(media_path_capacity - 1)) return false;
    path.copy(out, path.size());
    out[path.size()] = 0;
    return true;
}
