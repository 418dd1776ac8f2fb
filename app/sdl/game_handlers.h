#pragma once
// What the Linux window's events mean to the game. The game and the frame-rate
// benchmark both wire the window through this, so the benchmark measures the
// game's own wiring.

#include "game/controls.h"
#include "game/frame.h"
#include "game/program.h"
#include "platform/sdl/sdl_events.h"

inline ShellHandlers game_handlers() {
    ShellHandlers handlers;
    handlers.created = game_start;
    handlers.destroyed = game_shutdown;
    handlers.paint = frame_step;
    handlers.mouse_moved = mouse_moved;
    handlers.left_button_down = left_button_down;
    handlers.key_released = key_released;
    handlers.command = menu_command;
    return handlers;
}
