// WaxDrop on Linux: the entry point and its event loop. Everything the
// window system does arrives through the shell's one event pump; this file
// only says what each event means to the game, and keeps the start-up and
// shutdown in the game's order.

#include <string>

#include "app/sdl/game_handlers.h"
#include "platform/files.h"
#include "platform/os/utf.h"

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
    // The soundfont is read while the window is made: the music is open
    // by the time the game starts, and the first frame comes no later.
    midi_out_prepare();
    // The window is created hidden; its creation starts the game before any
    // drawing surface exists, as the window's creation message does.
    if (!shell_create_window("WaxDrop", game_handlers())) return 0;
    game_start();
    shell_build_surfaces(executable_folder() + "/resources");
    // Showing the window draws the first frame, before the loop turns.
    shell_show();
    while (!shell_window_destroyed()) shell_pump();
    // game_shutdown has run as the window went; the surfaces go after it.
    shell_free_surfaces();
    SDL_Quit();
    return 0;
}
