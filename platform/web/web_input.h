#pragma once
// The page's input, handed to the window rules as it arrives: the pointer's
// moves and left button, keys going down and up with the characters they
// type, and the page coming back into view. The routes the rules give wait,
// in order, for the pump to follow them between frames. Page thread only.

#include "platform/shell/window_rules.h"

// Listen to the page.
void input_attach();
// The next route to follow; false when none waits.
bool input_next(Route& route);
// The browser took the pointer lock back while the game held it: true once.
bool input_take_lock_lost();
// The window now under the pointer hears of it as a move where it rests.
void input_recheck_pointer();
