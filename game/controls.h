#pragma once
// What the player's mouse and keyboard do to the game. Window thread, called
// by the shell between frames.

constexpr int key_p = 0x50;  // virtual-key code of P

// The pointer moved over the window: the paddle will follow it.
void mouse_moved();
// Left button: resume a paused game, otherwise fire; mouse_x is refreshed
// after either.
void left_button_down();
// A key came up: P pauses and resumes; nothing else does anything.
void key_released(int virtual_key);
