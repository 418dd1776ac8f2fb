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
};

// Read name from the media folder and mix it at the play position.
int32_t play_effect(const char16_t* name);
// The same for a file named by its full path.
int32_t play_effect_file(const char16_t* path);
