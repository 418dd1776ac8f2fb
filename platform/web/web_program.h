#pragma once
// The browser game's start-up and shutdown, in the game's order. Page thread
// only.

#include "platform/web/web_events.h"

// Bring in the saved scores and the media, find the page's window, run the
// creation handler (the game starts before any surface exists), build the
// sprite images from bitmaps (a folder of the preloaded file system), the
// score line's glyphs from the file glyphs and the menu bar, then draw the
// first frame. False when the page has no window.
bool shell_open(const ShellHandlers& handlers, const char* bitmaps, const char* glyphs);
// After the destroy handler has run: free the surfaces.
void shell_close();
