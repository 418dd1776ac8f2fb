#pragma once
// What the window's events mean to the game, for the Linux and the browser
// game alike (and the Linux frame-rate benchmark, so that it measures the
// game's own wiring).

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
#include "platform/shell/shell_handlers.h"

// The browser gave the pointer lock back (Esc, another window) while the
// game ran: the player has the mouse again, so the game pauses, as if P had
// been released. (The desktop games hold the pointer themselves.)
inline void pointer_lock_lost() { key_released(key_p); }

inline ShellHandlers game_handlers() {
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
