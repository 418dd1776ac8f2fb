// WaxDrop on Linux: the entry point and its event loop. Everything the
// window system does arrives through the shell's one event pump; this file
// only says what each event means to the game, and keeps the start-up and
// shutdown in the game's order.

#include <string>

#include "app/game_handlers.h"
#include "platform/files.h"
#include "platform/os/utf.h"
#include "platform/sdl/sdl_program.h"
#include "platform/shell/resource_tables.h"
#include "resources/resource_ids.h"

namespace {

// The folder that holds the executable; its media/ and resources/ sit beside it.
std::string executable_folder() {
    char16_t name[4096];
    module_file_name(name, 4096);
    std::string path = utf16_to_utf8(name);
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

int main(int, char**) {
    if (!shell_open(resource_string(IDS_APP_TITLE), game_handlers(), executable_folder() + "/resources")) return 0;
    while (!shell_window_destroyed()) shell_pump();
    // game_shutdown has run as the window went; the surfaces go after it.
    shell_close();
    return 0;
}
