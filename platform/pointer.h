#pragma once
// The mouse pointer: where it is, where it may go and whether it shows.
// Window thread only; called by the pause toggle and the mouse handling.

#include <cstdint>

// Screen rectangle, right and bottom exclusive, as the window system keeps it.
struct ClipRect {
    int32_t left, top, right, bottom;
};

// The rectangle the pointer is confined to now (the whole screen when free).
ClipRect pointer_clip();
// Confine the pointer to r.
void pointer_confine(const ClipRect& r);
// The main window's outer rectangle in screen coordinates.
ClipRect pointer_window_rect();
// Show (true) or hide (false) the pointer; calls must come in pairs.
void pointer_show(bool show);
// The pointer's x in the main window's client coordinates, in pixels.
float pointer_client_x();
