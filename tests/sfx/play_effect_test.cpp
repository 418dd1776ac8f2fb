// play_effect over files built byte by byte and over files written by other
// programs: the header tests and their codes, the chunk walk, the chunked
// mixing and its saturation.

#include <functional>

#include "tests/sfx/effect_fixture.h"

namespace {

// Two frames that mix to 200, -200.
Bytes wav(const std::function<void(WavBytes&)>& change = {}) {
    WavBytes w;
    w.data = frames({{100, 300}, {-100, -300}});
    if (change) change(w);
    return w.bytes();
}

// A file written by another program, from the shared folder beside the checkout.
Bytes real(const char* name) { return read_file(std::string(WAXDROP_SHARED_DIR) + "/realfiles/wav/" + name); }

// wav() cut short after this many bytes.
Bytes cut(size_t size) {
    const Bytes whole = wav();
    return Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
}

}  // namespace

using PlayEffect = EffectStream;

TEST_F(PlayEffect, HeaderTestsAndChunkWalkGiveTheirCodesAndOnlyPlayableCodesMix) {
    const std::vector<int16_t> mixed{200, -200, 0};  // the two frames of wav()
    const struct {
        std::string what;
        Bytes file;
        int32_t code;
        uint32_t samples;
        std::vector<int16_t> first;  // the ring from 0, where worked out
    } cases[] = {
        {"two channels at 11025", wav(), 0, 2, mixed},
        {"mono", wav([](WavBytes& w) { w.channels = 1; }), 1, 2, mixed},
        {"22050 Hz", wav([](WavBytes& w) { w.rate = 22050; }), 2, 2, mixed},
        {"mono at 44100", wav([](WavBytes& w) { w.channels = 1, w.rate = 44100; }), 3, 2, mixed},
        {"rate with 11025 in its low 16 bits", wav([](WavBytes& w) { w.rate = 0x10000 + 11025; }), 0, 2, mixed},
        {"fourth letters not looked at",
         wav([](WavBytes& w) { w.riff = "RIFX", w.wave = "WAV_", w.format_tag_name = "fmt_"; }), 0, 2, mixed},
        {"no RIFF", wav([](WavBytes& w) { w.riff = "RIXF"; }), 10, 0, {}},
        {"no WAVE", wav([](WavBytes& w) { w.wave = "AVI "; }), 11, 0, {}},
        {"format chunk not first", wav([](WavBytes& w) { w.format_tag_name = "LIST"; }), 12, 0, {}},
        {"not PCM drops the mono code", wav([](WavBytes& w) { w.format_tag = 3, w.channels = 1; }), 13, 0, {}},
        {"24 bits drops the rate code", wav([](WavBytes& w) { w.bits = 24, w.rate = 8000; }), 14, 0, {}},
        {"a chunk longer than the file", wav([](WavBytes& w) { w.after_format = chunk("LIST", 0x7FFFFFFF); }), 15, 0,
         {}},
        {"format chunk longer than the file", wav([](WavBytes& w) { w.format_length = 0x7FFFFFFF; }), 15, 0, {}},
        {"format chunk of 14 skips nothing", wav([](WavBytes& w) { w.format_length = 14; }), 0, 2, mixed},
        // "da" would be taken for the start of a tag if not skipped.
        {"format chunk of 18", wav([](WavBytes& w) { w.format_length = 18, w.after_format = {'d', 'a'}; }), 0, 2,
         mixed},
        // No pad byte after an odd chunk; "dat " is not "data"; a negative
        // length skips nothing.
        {"chunks before data skipped whole", wav([](WavBytes& w) {
             for (const Bytes& c : {chunk("LIST", 5, {'d', 'a', 't', 'a', 9}), chunk("dat ", 0), chunk("junk", -3)})
                 put(w.after_format, c);
         }), 0, 2, mixed},
        // A read cut short leaves the field buffer as it was, and the tests
        // judge what it holds.
        {"only RIFF: the form type test sees it again", {'R', 'I', 'F', 'F'}, 11, 0, {}},
        {"cut in the format fields: the tag test sees the length 16", cut(20), 13, 0, {}},
        {"file ends before a data chunk", cut(36), 15, 0, {}},
        {"file ends right after \"data\"", cut(40), 15, 0, {}},
#ifdef WAXDROP_HAVE_REALFILES
        // Files written by other programs, worked out from their header bytes.
        {"cpy_pluck-pcm16.wav: LIST of 90 skipped, data 13228 bytes", real("cpy_pluck-pcm16.wav"), 0, 3307, {}},
        {"cpy_pluck-pcm8.wav: 8 bits", real("cpy_pluck-pcm8.wav"), 14, 0, {}},
        {"cpy_pluck-pcm24-ext.wav: format tag 0xFFFE", real("cpy_pluck-pcm24-ext.wav"), 13, 0, {}},
        // Mono data is still taken four bytes to a sample: 2, -3, 5, -7 give
        // (2 - 3) / 2 and (5 - 7) / 2.
        {"hound mono at 44100: 2 format bytes and a LIST skipped",
         real("hound_waveformatex-16bit-44100Hz-mono-extra.wav"), 3, 2, {0, -1, 0}},
        {"jstrait file ending at 28: the bits test sees the sample rate's bytes again",
         real("jstrait_insufficient_format_chunk.wav"), 14, 0, {}},
        {"jstrait junk chunk: no pad byte is passed, so \"\\0dat\" is taken for a tag and its huge length runs off "
         "the end",
         real("jstrait_mono_pcm_16_44100_junk_chunk_with_padding_byte.wav"), 15, 0, {}},
        // Four samples of -10000 (0xD8F0), four of +10000, and so on.
        {"jstrait extension: 24 format bytes and fact skipped, data 4480",
         real("jstrait_mono_pcm_16_44100_with_extension.wav"), 3, 1120, {-10000, -10000, 10000, 10000, -10000}},
        {"rochars markers: data 0x43DEC = 277996 bytes, longer than the ring",
         real("rochars_16bit-16kHz-2markers-mono.wav"), 3, 69499, {}},
        {"rochars region: two channels at 8000, data 96000", real("rochars_16bit-8kHz-1c-reaper-region.wav"), 2,
         24000, {}},
        {"rochars bext: bext of 602 skipped, data 235430 (two bytes left over)",
         real("rochars_16bit-8khz-bext-mono.wav"), 3, 58857, {}},
        {"rochars RIFX: big-endian, the format tag's low byte is 0", real("rochars_RIFX-16bit-mono.wav"), 13, 0, {}},
        {"wavjl float: floating point", real("wavjl_48000_stereo_float32.wav"), 13, 0, {}},
        {"wavjl long data length: data claims 1048976, the file holds 400",
         real("wavjl_48000_stereo_pcm16_long_datalength.wav"), 2, 100, {}},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open_effects();  // a fresh, silent ring
        ASSERT_FALSE(c.file.empty());
        EXPECT_EQ(play(c.file), c.code);
        EXPECT_EQ(effect_playable(c.code), c.samples > 0);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        EXPECT_TRUE(c.samples > 0 || ring_is_silent());
        EXPECT_EQ(ring(0, static_cast<uint32_t>(c.first.size())), c.first);
    }
}

TEST_F(PlayEffect, DataLengthsMixWholeFramesChunkByChunkAndOnlyWhatTheFileHolds) {
    const struct {
        std::optional<int32_t> length;  // else the bytes present
        size_t bytes;
        uint32_t samples;
    } cases[] = {{{}, 0, 0}, {{}, 3, 0}, {{}, 4, 1}, {{}, 4096, 1024}, {{}, 4097, 1024}, {{}, 8192, 2048},
                 {-4, 8, 0}, {INT32_MIN, 8, 0}, {8192, 100, 25}, {0x7FFFFFFF, 8, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length.value_or(-1) << " " << c.bytes);
        open_effects();
        WavBytes w;
        for (size_t i = 0; i < c.bytes; ++i)  // frame k mixes to k + 1
            w.data.push_back(static_cast<uint8_t>((i / 4 + 1) >> (i % 2 * 8)));
        w.data_length = c.length;
        EXPECT_EQ(play(w.bytes()), 0);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        const std::vector<int16_t> got = ring(0, c.samples + 1);
        for (uint32_t i = 0; i < c.samples; ++i) ASSERT_EQ(got[i], static_cast<int16_t>(i + 1)) << i;
        EXPECT_EQ(got[c.samples], 0);
    }
}

TEST_F(PlayEffect, FramesAverageTheirChannelsAndSumsSaturate) {
    WavBytes w;
    w.data = frames({{1000, 3000}, {-3, 0}, {20000, 20000}, {-20000, -20000}, {-32768, -32768}, {32767, 32767},
                     {-32768, 32767}});
    EXPECT_EQ(play(w.bytes()), 0);
    EXPECT_EQ(ring(0, 7), (std::vector<int16_t>{2000, -1, 20000, -20000, -32767, 32767, 0}));
    // Twice in one frame doubles: ±40000 saturate, and -32768 is never stored.
    EXPECT_EQ(play(w.bytes()), 0);
    EXPECT_EQ(ring(0, 7), (std::vector<int16_t>{4000, -2, 32767, -32767, -32767, 32767, 0}));
}

TEST_F(PlayEffect, MixesFromThePlayPositionAndWrapsAtTheRingsEnd) {
    WavBytes w;
    w.data = flat_frames(4096, 5);
    play_pos.store(63488);
    EXPECT_EQ(play(w.bytes()), 0);
    EXPECT_EQ(ring(63488, 4096), std::vector<int16_t>(4096, 5));  // 63488..65535, then 0..2047
    EXPECT_EQ(ring(63487, 1)[0], 0);
    EXPECT_EQ(ring(2048, 1)[0], 0);
    // An effect longer than the ring adds onto its own beginning.
    open_effects();
    play_pos.store(0);
    w.data = flat_frames(ring_samples + 100, 3);
    EXPECT_EQ(play(w.bytes()), 0);
    EXPECT_EQ(effect_samples_mixed, ring_samples + 100);
    EXPECT_EQ(ring(0, 100), std::vector<int16_t>(100, 6));
    EXPECT_EQ(ring(100, ring_samples - 100), std::vector<int16_t>(ring_samples - 100, 3));
}
