#pragma once
// The frame's picture on screen: the field's streaming texture, below the
// menu bar, with the menu and dialog layer over it. Window thread only.

// The texture, lent to the software canvas to draw each frame straight into.
bool canvas_create_texture();
void canvas_destroy_texture();
// True once for each frame the game asked for since the last call.
bool canvas_frame_wanted();
// Draw the layer again over the window as it was last presented, for a
// window whose layer changed without a game frame.
void canvas_repaint();
