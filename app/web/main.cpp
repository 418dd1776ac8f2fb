// WaxDrop in the browser: the entry point and its loop. The page's canvas is
// the window; this file says what each of the page's events means to the
// game, and keeps the start-up and shutdown in the game's order. main never
// returns while the game runs: its loop gives the browser its turn between
// frames (Asyncify), as the message loop does on Windows.

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
#include "platform/web/web_shell.h"

namespace {

// The browser gave the pointer lock back (Esc, another window) while the
// game ran: the player has the mouse again, so the game pauses, as if P had
// been released.
void pointer_lock_lost() { key_released(key_p); }

ShellHandlers game_handlers() {
    ShellHandlers handlers;
    handlers.paint = frame_step;
    handlers.mouse_moved = mouse_moved;
    handlers.left_button_down = left_button_down;
    handlers.key_released = key_released;
    handlers.pointer_lock_lost = pointer_lock_lost;
    handlers.destroyed = game_shutdown;
    return handlers;
}

}  // namespace

int main() {
    // The saved scores come in from the browser's storage before anything
    // reads them.
    files_load_saved();
    // The window exists before the game starts, but nothing is drawn until
    // the surfaces are made, as the window's creation message starts the game.
    if (!shell_create_window(game_handlers())) return 0;
    game_start();
    shell_build_surfaces("/waxdrop/resources/bitmaps");
    // The first frame is drawn before the loop turns.
    shell_show();
    while (!shell_window_destroyed()) shell_pump();
    return 0;
}
