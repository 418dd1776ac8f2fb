// WaxDrop in the browser: the entry point and its loop. Everything the page
// does arrives through the shell's one pump; this file only says what each
// event means to the game, and keeps the start-up and shutdown in the game's
// order. main never returns while the game runs: its loop gives the browser
// its turn between frames (Asyncify), as the message loop does on Windows.

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
#include "platform/web/web_program.h"

namespace {

// The browser gave the pointer lock back (Esc, another window) while the
// game ran: the player has the mouse again, so the game pauses, as if P had
// been released.
void pointer_lock_lost() { key_released(key_p); }

ShellHandlers game_handlers() {
    ShellHandlers handlers;
    handlers.created = game_start;
    handlers.destroyed = game_shutdown;
    handlers.paint = frame_step;
    handlers.mouse_moved = mouse_moved;
    handlers.left_button_down = left_button_down;
    handlers.key_released = key_released;
    handlers.command = menu_command;
    handlers.pointer_lock_lost = pointer_lock_lost;
    return handlers;
}

}  // namespace

int main() {
    if (!shell_open(game_handlers(), "/waxdrop/resources/bitmaps", "/waxdrop/resources/fonts/score_glyphs.bin"))
        return 0;
    while (!shell_window_destroyed()) shell_pump();
    // game_shutdown has run as the window went; the surfaces go after it.
    shell_close();
    return 0;
}
