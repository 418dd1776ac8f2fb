#include "platform/null/null_midi.h"

#include "platform/midi_out.h"

NullMidi null_midi;

void reset_null_midi() { null_midi = NullMidi{}; }

bool midi_out_open() {
    ++null_midi.open_count;
    null_midi.is_open = !null_midi.fail_open;
    return null_midi.is_open;
}

void midi_out_short(uint32_t message) {
    if (!null_midi.is_open) ++null_midi.sent_while_closed;
    null_midi.sent.push_back(message);
}

void midi_out_close() {
    ++null_midi.close_count;
    null_midi.is_open = false;
}
