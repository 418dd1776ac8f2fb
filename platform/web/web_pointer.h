#pragma once
// The pointer in the browser: where the game's pointer is, held while the
// game runs, and the page's pointer lock. Page thread only.

// Publish the pointer to the page's input (Module.waxdropPointerAt()).
void pointer_attach();
// The browser gave the lock up (Esc, another window): true when the game
// held the pointer then, that is while the game ran.
bool pointer_lock_was_taken();
