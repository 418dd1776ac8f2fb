#pragma once
// The layer over the field: the menu bar with its drop-down and the open
// dialogs and boxes, as one ImGui pass. Window thread only.

#include <SDL.h>

// Draw the layer into the renderer's target, with a new pass when one is wanted.
void layer_render();
// True when the layer would look different from the last present (a pass is
// wanted, or an open dialog's caret blinks): a window without a game frame
// due is repainted then.
bool layer_wants_repaint();
// Hand an event to the dialogs' controls and run a pass at once, since ImGui
// reads the buttons once a pass and would miss a quick click.
void layer_feed(const SDL_Event& event);
void layer_shutdown();
