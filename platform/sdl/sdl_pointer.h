#pragma once
// The pointer's confinement follows the window when it moves. Window thread.

void pointer_window_moved();
