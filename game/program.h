#pragma once
// The game as a program: what the shell runs when its window is created and
// destroyed, and what the menu commands do. A shell only translates its
// window system's events into these calls, frame_step (game/frame.h) and the
// controls (game/controls.h). Window thread only.

#include "platform/dialogs.h"
#include "resources/resource_ids.h"

// Menu and accelerator commands (the low 16 bits of the command).
enum : int {
    command_about = IDM_ABOUT,              // Help > About ..., Alt+? and Alt+/
    command_exit = IDM_EXIT,                // File > Exit
    command_high_scores = IDM_HIGH_SCORES,  // File > High Scores ...
};

// On window creation, before any drawing surface exists: open the MIDI
// output, open the effect stream, load the scores, set up a new game, then
// start the song when the MIDI output opened. Nothing here draws.
void game_start();
// On window destruction, before the shell frees its surfaces: close the music
// (which stops its timer), close the effect stream, empty the sprite lists.
// No timer or device callback runs into the game after it returns.
void game_shutdown();
// Run a menu command: the About box, the High Scores dialog, or the end of
// the window. False for any other command, which the shell passes on to its
// default handling.
bool menu_command(int command);
// The About box's procedure: OK, Enter, Esc and the close box end it.
bool about_proc(DialogHandle dialog, DialogEvent event, int command);
