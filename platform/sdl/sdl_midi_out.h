#pragma once
// Start reading the soundfont on a thread of its own while the window is
// made; opening the MIDI output waits for it. Window thread.

void midi_out_prepare();
