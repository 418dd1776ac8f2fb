#pragma once
// A recording MIDI output for tests: every short message in the order sent.
// Single-threaded tests only.

#include <cstdint>
#include <vector>

struct NullMidi {
    bool fail_open = false;       // midi_out_open reports failure (the output still counts as asked for)
    bool is_open = false;
    int open_count = 0;           // calls of midi_out_open, failed ones included
    int close_count = 0;
    std::vector<uint32_t> sent;   // every message, in order
    int sent_while_closed = 0;    // messages that arrived with no open output
};
extern NullMidi null_midi;

void reset_null_midi();
