#pragma once
// The canvas the replay draws on. Where FreeType is at hand (Linux) it is the
// software canvas, and snapshots are real pictures; elsewhere (the mingw
// build) a canvas that only counts, which runs the same game to the same
// counters but has no picture to write.

#include <string>

// Get the canvas ready: the sprite bitmaps from images, the score line's face
// from font (empty: the system's default). False, with the reason, when not.
bool replay_open_canvas(const std::string& images, const std::string& font, std::string& error);
