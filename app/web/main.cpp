// WaxDrop in the browser: the entry point and its loop. Everything the page
// does arrives through the shell's one pump; this file only says what each
// event means to the game, and keeps the start-up and shutdown in the game's
// order. main never returns while the game runs: its loop gives the browser
// its turn between frames (Asyncify), as the message loop does on Windows.

#include "app/game_handlers.h"
#include "platform/web/web_program.h"

int main() {
    if (!shell_open(game_handlers(), "/waxdrop/resources/bitmaps", "/waxdrop/resources/fonts/score_glyphs.bin"))
        return 0;
    while (!shell_window_destroyed()) shell_pump();
    // game_shutdown has run as the window went; the surfaces go after it.
    shell_close();
    return 0;
}
