// play_effect over files built byte by byte: the header tests and their
// codes, the chunk walk, the chunked mixing and its saturation.

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

Bytes cut(size_t size) {
    Bytes b = wav();
    b.resize(size);
    return b;
}

}  // namespace

using PlayEffect = EffectStream;

TEST_F(PlayEffect, HeaderTestsAndChunkWalkGiveTheirCodesAndOnlyPlayableCodesMix) {
    const struct {
        const char* what;
        Bytes file;
        int32_t code;
    } cases[] = {
        {"two channels at 11025", wav(), 0},
        {"mono", wav([](WavBytes& w) { w.channels = 1; }), 1},
        {"22050 Hz", wav([](WavBytes& w) { w.rate = 22050; }), 2},
        {"mono at 44100", wav([](WavBytes& w) { w.channels = 1, w.rate = 44100; }), 3},
        {"rate with 11025 in its low 16 bits", wav([](WavBytes& w) { w.rate = 0x10000 + 11025; }), 0},
        {"fourth letters not looked at",
         wav([](WavBytes& w) { w.riff = "RIFX", w.wave = "WAV_", w.format_tag_name = "fmt_"; }), 0},
        {"no RIFF", wav([](WavBytes& w) { w.riff = "RIXF"; }), 10},
        {"no WAVE", wav([](WavBytes& w) { w.wave = "AVI "; }), 11},
        {"format chunk not first", wav([](WavBytes& w) { w.format_tag_name = "LIST"; }), 12},
        {"not PCM drops the mono code", wav([](WavBytes& w) { w.format_tag = 3, w.channels = 1; }), 13},
        {"24 bits drops the rate code", wav([](WavBytes& w) { w.bits = 24, w.rate = 8000; }), 14},
        {"a chunk longer than the file", wav([](WavBytes& w) { w.after_format = chunk("LIST", 0x7FFFFFFF); }), 15},
        {"format chunk longer than the file", wav([](WavBytes& w) { w.format_length = 0x7FFFFFFF; }), 15},
        {"format chunk of 14 skips nothing", wav([](WavBytes& w) { w.format_length = 14; }), 0},
        // "da" would be taken for the start of a tag if not skipped.
        {"format chunk of 18", wav([](WavBytes& w) { w.format_length = 18, w.after_format = {'d', 'a'}; }), 0},
        // No pad byte after an odd chunk; "dat " is not "data"; a negative
        // length skips nothing.
        {"chunks before data skipped whole", wav([](WavBytes& w) {
             for (const Bytes& c : {chunk("LIST", 5, {'d', 'a', 't', 'a', 9}), chunk("dat ", 0), chunk("junk", -3)})
                 put(w.after_format, c);
         }), 0},
        // A read cut short leaves the field buffer as it was, and the tests
        // judge what it holds.
        {"only RIFF: the form type test sees it again", {'R', 'I', 'F', 'F'}, 11},
        {"cut in the format fields: the tag test sees the length 16", cut(20), 13},
        {"file ends before a data chunk", cut(36), 15},
        {"file ends right after \"data\"", cut(40), 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open_effects();  // a fresh, silent ring
        EXPECT_EQ(play(c.file), c.code);
        const bool mixes = effect_playable(c.code);
        EXPECT_EQ(effect_samples_mixed, mixes ? 2u : 0u);
        if (mixes) EXPECT_EQ(ring(0, 3), (std::vector<int16_t>{200, -200, 0}));
        else EXPECT_TRUE(ring_is_silent());
    }
}

// The game may be installed where the player cannot write: effects are
// opened for reading only.
TEST_F(PlayEffect, OpensForReadingOnlyAndFourMeansNotOpened) {
    EXPECT_EQ(play_effect(u"missing.wav"), 4);
    EXPECT_EQ(play_effect(std::u16string(300, u'x').c_str()), 4);  // path too long
    write_file(scratch->media("fx.wav"), wav());
    null_files.opens = 0;
    EXPECT_EQ(play_effect(u"fx.wav"), 0);
    EXPECT_EQ(ring(0, 2), (std::vector<int16_t>{200, -200}));
    EXPECT_EQ(null_files.opens, 1);
    EXPECT_STREQ(null_files.last_open_mode, "rb");
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
