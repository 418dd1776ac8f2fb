#pragma once
// The system's default MIDI output. Opened and closed on the window thread;
// short messages are sent from the music timer's thread.

#include <cstdint>

// Open the default output; true on success.
bool midi_out_open();
// Send one packed short message: status in bits 0..7, data bytes in 8..15
// and 16..23. Timer thread while the song plays. Statuses 0x80 to 0xEF are
// channel messages; the song's tempo records (status 0xFF) and any other
// status below 0x80 or above 0xEF are dropped by a driver that cannot take them
// (midiOutShortMsg passes them to the device as they are).
void midi_out_short(uint32_t message);
void midi_out_close();
