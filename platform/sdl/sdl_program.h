#pragma once
// The Linux game's start-up and shutdown, in the game's order, for the game
// and for its loop benchmark alike. Window thread only.

#include <string>

#include "platform/sdl/sdl_events.h"

// Read the soundfont on a thread meanwhile, create the hidden window, run
// the creation handler (the game starts before any surface exists), build
// the renderer, the field's texture, the sprite images, the score font, the
// icon and the menu layer from the folder resources (bitmaps/, icons/), then
// show the window, which draws the first frame. False when there is no window.
bool shell_open(const char* title, const ShellHandlers& handlers, const std::string& resources);
// After the destroy handler has run: free the surfaces and the window.
void shell_close();
