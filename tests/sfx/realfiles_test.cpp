// Effect files written by other programs, read by play_effect. Each
// expectation was worked out from the file's header bytes by the game's
// rules, not taken from what the code prints.

#include "tests/sfx/effect_fixture.h"

namespace {

std::u16string real_wav(const char* name) {
    return u16(std::string(WAXDROP_SHARED_DIR) + "/realfiles/wav/" + name);
}

}  // namespace

using RealFiles = EffectStream;

TEST_F(RealFiles, HeadersAndLengthsGiveTheWorkedOutCodes) {
    const struct {
        const char* file;
        int32_t code;
        uint32_t samples;
        const char* why;
    } cases[] = {
        {"cpy_pluck-pcm16.wav", 0, 3307, "LIST of 90 skipped, data 13228 bytes"},
        {"cpy_pluck-pcm8.wav", 14, 0, "8 bits"},
        {"cpy_pluck-pcm24-ext.wav", 13, 0, "format tag 0xFFFE"},
        {"hound_waveformatex-16bit-44100Hz-mono-extra.wav", 3, 2, "mono, 44100; 2 format bytes and a LIST skipped"},
        {"jstrait_insufficient_format_chunk.wav", 14, 0,
         "file ends at 28: the bits test sees the sample rate's bytes again"},
        {"jstrait_mono_pcm_16_44100_junk_chunk_with_padding_byte.wav", 15, 0,
         "no pad byte is passed, so \"\\0dat\" is taken for a tag and its huge length runs off the end"},
        {"jstrait_mono_pcm_16_44100_with_extension.wav", 3, 1120, "24 format bytes and fact skipped, data 4480"},
        {"rochars_16bit-16kHz-2markers-mono.wav", 3, 69499, "data 0x43DEC = 277996 bytes: longer than the ring"},
        {"rochars_16bit-8kHz-1c-reaper-region.wav", 2, 24000, "two channels at 8000, data 96000"},
        {"rochars_16bit-8khz-bext-mono.wav", 3, 58857, "bext of 602 skipped, data 235430 (two bytes left over)"},
        {"rochars_RIFX-16bit-mono.wav", 13, 0, "big-endian: the format tag's low byte is 0"},
        {"wavjl_48000_stereo_float32.wav", 13, 0, "floating point"},
        {"wavjl_48000_stereo_pcm16_long_datalength.wav", 2, 100, "data claims 1048976, the file holds 400"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.why);
        open_effects();  // a fresh, silent ring for each
        EXPECT_EQ(play_effect_file(real_wav(c.file).c_str()), c.code);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        if (c.samples == 0) {
            EXPECT_TRUE(ring_is_silent());
        }
    }
}

TEST_F(RealFiles, MonoDataIsStillTakenFourBytesToASample) {
    // Samples 2, -3, 5, -7 pair up as two frames: (2 - 3) / 2 and (5 - 7) / 2.
    EXPECT_EQ(play_effect_file(real_wav("hound_waveformatex-16bit-44100Hz-mono-extra.wav").c_str()), 3);
    EXPECT_EQ(ring(0, 3), (std::vector<int16_t>{0, -1, 0}));
    open_effects();
    // Four samples of -10000 (0xD8F0), four of +10000, and so on: two ring
    // samples each.
    EXPECT_EQ(play_effect_file(real_wav("jstrait_mono_pcm_16_44100_with_extension.wav").c_str()), 3);
    EXPECT_EQ(ring(0, 5), (std::vector<int16_t>{-10000, -10000, 10000, 10000, -10000}));
}
