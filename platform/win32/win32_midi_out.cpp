// The song's output: the MIDI mapper, which sends to the system's default
// synthesiser. Messages go straight through; the mapper drops what it
// cannot play.

#include <windows.h>
#include <mmsystem.h>

#include "platform/midi_out.h"

namespace {
HMIDIOUT music_out = nullptr;
}

bool midi_out_open() {
    return midiOutOpen(&music_out, MIDI_MAPPER, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
}

void midi_out_short(uint32_t message) { midiOutShortMsg(music_out, message); }

void midi_out_close() {
    midiOutClose(music_out);
    music_out = nullptr;
}
