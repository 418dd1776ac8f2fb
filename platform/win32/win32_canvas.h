#pragma once
// The GDI canvas's own surfaces: the display context, the 640 x 440 back
// buffer in its memory context, the six sprite images each in a context of
// its own, and the score line's font. Window thread only, called by the
// shell once each; nothing else sees the handles.

#include <windows.h>

// Right after the main window is created and stored, before it is shown: the
// images come from instance's bitmap resources. Anything the system refuses
// stays missing; the frame then draws without it.
void canvas_create_surfaces(HINSTANCE instance);
// In the destroy handler, after the game has shut down: the contexts first,
// then the font and bitmaps that were created.
void canvas_release_surfaces();
