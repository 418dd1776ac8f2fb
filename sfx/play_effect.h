#pragma once
// Mixing one sound effect into the running stream. Window thread, and only
// while effects_open is true.

#include <cstdint>

// Result codes.
enum : int32_t {
    effect_ok = 0,
    effect_not_two_channels = 1,
    effect_not_11025 = 2,        // added to the above
    effect_not_opened = 4,
    effect_no_riff = 10,
    effect_no_wave = 11,
    effect_no_format_first = 12,
    effect_not_pcm = 13,
    effect_not_16_bits = 14,
    effect_no_data = 15,         // the file ended before its data chunk's length
};

// Codes 0 to 3 mix the data; the others mix nothing.
constexpr bool effect_playable(int32_t code) { return code >= 0 && code <= 3; }

// Ring samples the last play_effect mixed (0 unless it returned 0 to 3).
extern uint32_t effect_samples_mixed;

// Read name from the media folder and mix it at the play position. A name
// whose path would not fit, or a closed stream, counts as a file that did not
// open.
int32_t play_effect(const char16_t* name);
// The same for a file named by its full path.
int32_t play_effect_file(const char16_t* path);
