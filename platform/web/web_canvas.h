#pragma once
// The field's picture on the page. Page thread only.

// Copy each new picture to the page's canvas at the display's refresh.
void canvas_start_display();
// True once for each frame the game asked for.
bool canvas_frame_wanted();
