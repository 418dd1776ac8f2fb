#pragma once
// The system's default MIDI output. Opened and closed on the window thread;
// short messages are sent from the music timer's thread.

#include <cstdint>

// Open the default output; true on success.
bool midi_out_open();
// Send one packed short message: status in bits 0..7, data bytes in 8..15
// and 16..23. Timer thread while the song plays.
void midi_out_short(uint32_t message);
void midi_out_close();
