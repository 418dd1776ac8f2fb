// Effect files written by other programs, read by play_effect. Each
// expectation was worked out from the file's header bytes by the game's
// rules, not taken from what the code prints.

#include "tests/sfx/effect_fixture.h"

using RealFiles = EffectStream;

TEST_F(RealFiles, HeadersAndLengthsGiveTheWorkedOutCodes) {
    const struct {
        const char* file;
        int32_t code;
        uint32_t samples;
        std::vector<int16_t> first;  // the ring from 0, where worked out
        const char* why;
    } cases[] = {
        {"cpy_pluck-pcm16.wav", 0, 3307, {}, "LIST of 90 skipped, data 13228 bytes"},
        {"cpy_pluck-pcm8.wav", 14, 0, {}, "8 bits"},
        {"cpy_pluck-pcm24-ext.wav", 13, 0, {}, "format tag 0xFFFE"},
        // Mono data is still taken four bytes to a sample: 2, -3, 5, -7 give
        // (2 - 3) / 2 and (5 - 7) / 2.
        {"hound_waveformatex-16bit-44100Hz-mono-extra.wav", 3, 2, {0, -1, 0},
         "mono, 44100; 2 format bytes and a LIST skipped"},
        {"jstrait_insufficient_format_chunk.wav", 14, 0, {},
         "file ends at 28: the bits test sees the sample rate's bytes again"},
        {"jstrait_mono_pcm_16_44100_junk_chunk_with_padding_byte.wav", 15, 0, {},
         "no pad byte is passed, so \"\\0dat\" is taken for a tag and its huge length runs off the end"},
        // Four samples of -10000 (0xD8F0), four of +10000, and so on.
        {"jstrait_mono_pcm_16_44100_with_extension.wav", 3, 1120, {-10000, -10000, 10000, 10000, -10000},
         "24 format bytes and fact skipped, data 4480"},
        {"rochars_16bit-16kHz-2markers-mono.wav", 3, 69499, {}, "data 0x43DEC = 277996 bytes: longer than the ring"},
        {"rochars_16bit-8kHz-1c-reaper-region.wav", 2, 24000, {}, "two channels at 8000, data 96000"},
        {"rochars_16bit-8khz-bext-mono.wav", 3, 58857, {}, "bext of 602 skipped, data 235430 (two bytes left over)"},
        {"rochars_RIFX-16bit-mono.wav", 13, 0, {}, "big-endian: the format tag's low byte is 0"},
        {"wavjl_48000_stereo_float32.wav", 13, 0, {}, "floating point"},
        {"wavjl_48000_stereo_pcm16_long_datalength.wav", 2, 100, {}, "data claims 1048976, the file holds 400"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.why);
        open_effects();  // a fresh, silent ring for each
        const std::string path = std::string(WAXDROP_SHARED_DIR) + "/realfiles/wav/" + c.file;
        EXPECT_EQ(play_effect_file(u16(path).c_str()), c.code);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        EXPECT_TRUE(c.samples > 0 || ring_is_silent());
        EXPECT_EQ(ring(0, static_cast<uint32_t>(c.first.size())), c.first);
    }
}
