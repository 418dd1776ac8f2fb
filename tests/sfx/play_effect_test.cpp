// play_effect over files built byte by byte: the header tests and their
// codes, the chunk walk, the chunked mixing and its saturation.

#include <filesystem>
#include <functional>

#include "tests/sfx/effect_fixture.h"

namespace {

WavBytes two_frames() {
    WavBytes w;
    w.data = frames({{100, 300}, {-100, -300}});
    return w;
}

struct CodeCase {
    const char* what;
    std::function<void(WavBytes&)> change;
    int32_t code;
};

}  // namespace

using PlayEffect = EffectStream;

TEST_F(PlayEffect, HeaderTestsGiveTheirCodesAndOnlyPlayableCodesMix) {
    const CodeCase cases[] = {
        {"two channels at 11025", [](WavBytes&) {}, 0},
        {"mono", [](WavBytes& w) { w.channels = 1; }, 1},
        {"22050 Hz", [](WavBytes& w) { w.rate = 22050; }, 2},
        {"mono at 44100", [](WavBytes& w) { w.channels = 1, w.rate = 44100; }, 3},
        {"rate with 11025 in its low 16 bits", [](WavBytes& w) { w.rate = 0x10000 + 11025; }, 0},
        {"fourth letters not looked at",
         [](WavBytes& w) { w.riff = "RIFX", w.wave = "WAV_", w.format_tag_name = "fmt_"; }, 0},
        {"no RIFF", [](WavBytes& w) { w.riff = "RIXF"; }, 10},
        {"no WAVE", [](WavBytes& w) { w.wave = "AVI "; }, 11},
        {"format chunk not first", [](WavBytes& w) { w.format_tag_name = "LIST"; }, 12},
        {"floating point", [](WavBytes& w) { w.format_tag = 3; }, 13},
        {"extensible", [](WavBytes& w) { w.format_tag = 0xFFFE; }, 13},
        {"not PCM drops the mono code", [](WavBytes& w) { w.format_tag = 3, w.channels = 1; }, 13},
        {"8 bits", [](WavBytes& w) { w.bits = 8; }, 14},
        {"24 bits drops the rate code", [](WavBytes& w) { w.bits = 24, w.rate = 8000; }, 14},
        {"no data chunk before the end", [](WavBytes& w) { w.has_data_chunk = false; }, 15},
        {"a chunk longer than the file",
         [](WavBytes& w) { w.has_data_chunk = false, w.chunks = chunk("LIST", 0x7FFFFFFF, {1, 2}); }, 15},
        {"format chunk longer than the file", [](WavBytes& w) { w.format_length = 0x7FFFFFFF; }, 15},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        WavBytes w = two_frames();
        c.change(w);
        EXPECT_EQ(play(w), c.code);
        if (effect_playable(c.code)) {
            EXPECT_EQ(effect_samples_mixed, 2u);
            EXPECT_EQ(ring(0, 3), (std::vector<int16_t>{200, -200, 0}));
        } else {
            EXPECT_EQ(effect_samples_mixed, 0u);
            EXPECT_TRUE(ring_is_silent());
        }
        for (uint32_t i = 0; i < 2; ++i) sample_ring[i].store(0);
    }
}

TEST_F(PlayEffect, FilesCutShortJudgeWhatTheFieldBufferHolds) {
    const auto riff_only = std::vector<uint8_t>{'R', 'I', 'F', 'F'};
    write_file(scratch->media("fx.wav"), riff_only);
    EXPECT_EQ(play_effect(u"fx.wav"), 11);  // the form type test sees "RIFF" again
    write_file(scratch->media("fx.wav"), {});
    EXPECT_EQ(play_effect(u"fx.wav"), 10);
    // Cut inside the format fields: the format tag test sees the length 16.
    std::vector<uint8_t> cut = two_frames().bytes();
    cut.resize(20);
    write_file(scratch->media("fx.wav"), cut);
    EXPECT_EQ(play_effect(u"fx.wav"), 13);
    // Cut right after "data": its length cannot be read.
    cut = two_frames().bytes();
    cut.resize(40);
    write_file(scratch->media("fx.wav"), cut);
    EXPECT_EQ(play_effect(u"fx.wav"), 15);
    EXPECT_TRUE(ring_is_silent());
}

TEST_F(PlayEffect, NothingToOpenGivesFourAndMixesNothing) {
    EXPECT_EQ(play_effect(u"missing.wav"), 4);
    const std::u16string long_name(300, u'x');
    EXPECT_EQ(play_effect(long_name.c_str()), 4);
    write_file(scratch->media("fx.wav"), two_frames().bytes());
    close_effects();
    EXPECT_EQ(play_effect(u"fx.wav"), 4);
    open_effects();
    EXPECT_TRUE(ring_is_silent());
}

// The game may be installed where the player cannot write.
TEST_F(PlayEffect, PlaysAFileThatCannotBeWritten) {
    namespace fs = std::filesystem;
    write_file(scratch->media("fx.wav"), two_frames().bytes());
    fs::permissions(scratch->media("fx.wav"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(play_effect(u"fx.wav"), 0);
    EXPECT_EQ(ring(0, 2), (std::vector<int16_t>{200, -200}));
}

TEST_F(PlayEffect, FormatChunkRestIsSkippedAndShortOnesSkipNothing) {
    for (int32_t length : {14, 16, 18}) {
        SCOPED_TRACE(length);
        WavBytes w = two_frames();
        w.format_length = length;
        if (length == 18) w.format_rest = {'d', 'a'};  // would be taken for a tag if not skipped
        EXPECT_EQ(play(w), 0);
        EXPECT_EQ(ring(0, 2), (std::vector<int16_t>{200, -200}));
        for (uint32_t i = 0; i < 2; ++i) sample_ring[i].store(0);
    }
}

TEST_F(PlayEffect, ChunksBeforeDataAreSkippedWhole) {
    WavBytes w = two_frames();
    // An odd-length chunk has no pad byte; "dat " is not "data"; a negative
    // length skips nothing.
    w.chunks = chunk("LIST", 5, {'d', 'a', 't', 'a', 9});
    for (uint8_t b : chunk("dat ", 0, {})) w.chunks.push_back(b);
    for (uint8_t b : chunk("junk", -3, {})) w.chunks.push_back(b);
    EXPECT_EQ(play(w), 0);
    EXPECT_EQ(effect_samples_mixed, 2u);
    EXPECT_EQ(ring(0, 3), (std::vector<int16_t>{200, -200, 0}));
}

TEST_F(PlayEffect, DataLengthsMixWholeFramesChunkByChunk) {
    const struct {
        size_t bytes;
        uint32_t samples;
    } cases[] = {{0, 0}, {3, 0}, {4, 1}, {4096, 1024}, {4097, 1024}, {8192, 2048}, {8195, 2048}, {12288, 3072}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        WavBytes w;
        for (size_t i = 0; i < c.bytes; i += 4)
            for (uint8_t b : frames({{static_cast<int16_t>(i / 4 + 1), static_cast<int16_t>(i / 4 + 1)}}))
                w.data.push_back(b);
        w.data.resize(c.bytes);
        EXPECT_EQ(play(w), 0);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        const std::vector<int16_t> got = ring(0, c.samples + 1);
        for (uint32_t i = 0; i < c.samples; ++i) ASSERT_EQ(got[i], static_cast<int16_t>(i + 1)) << i;
        EXPECT_EQ(got[c.samples], 0);
        for (uint32_t i = 0; i <= c.samples; ++i) sample_ring[i].store(0);
    }
}

TEST_F(PlayEffect, LengthsTheFileDoesNotBackMixOnlyWhatIsThere) {
    const struct {
        int32_t length;
        size_t frames_in_file;
        uint32_t samples;
    } cases[] = {{-4, 2, 0}, {INT32_MIN, 2, 0}, {8192, 25, 25}, {0x7FFFFFFF, 2, 2}, {4100, 1025, 1025}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        WavBytes w;
        w.data = flat_frames(c.frames_in_file, 7);
        w.data_length_given = true;
        w.data_length = c.length;
        EXPECT_EQ(play(w), 0);
        EXPECT_EQ(effect_samples_mixed, c.samples);
        EXPECT_EQ(ring(c.samples, 1)[0], 0);
        if (c.samples) {
            EXPECT_EQ(ring(c.samples - 1, 1)[0], 7);
        }
        for (uint32_t i = 0; i <= c.samples; ++i) sample_ring[i].store(0);
    }
}

TEST_F(PlayEffect, FramesAverageTheirChannelsAndSumsSaturate) {
    WavBytes w;
    w.data = frames({{1000, 3000}, {-3, 0}, {20000, 20000}, {-20000, -20000}, {-32768, -32768}, {32767, 32767},
                     {-32768, 32767}});
    EXPECT_EQ(play(w), 0);
    EXPECT_EQ(ring(0, 7), (std::vector<int16_t>{2000, -1, 20000, -20000, -32767, 32767, 0}));
    // The same effect again in the same frame doubles it: 40000 and -40000
    // saturate, and -32768 is never stored.
    EXPECT_EQ(play(w), 0);
    EXPECT_EQ(ring(0, 7), (std::vector<int16_t>{4000, -2, 32767, -32767, -32767, 32767, 0}));
}

TEST_F(PlayEffect, MixesFromThePlayPositionAndWrapsAtTheRingsEnd) {
    play_pos.store(63488);
    WavBytes w;
    w.data = flat_frames(4096, 5);
    EXPECT_EQ(play(w), 0);
    EXPECT_EQ(ring(63487, 1)[0], 0);
    EXPECT_EQ(ring(63488, 4096), std::vector<int16_t>(4096, 5));  // 63488..65535, then 0..2047
    EXPECT_EQ(ring(2048, 1)[0], 0);
}

TEST_F(PlayEffect, AnEffectLongerThanTheRingAddsOntoItsOwnBeginning) {
    WavBytes w;
    w.data = flat_frames(ring_samples + 100, 3);
    EXPECT_EQ(play(w), 0);
    EXPECT_EQ(effect_samples_mixed, ring_samples + 100);
    EXPECT_EQ(ring(0, 100), std::vector<int16_t>(100, 6));
    EXPECT_EQ(ring(100, ring_samples - 100), std::vector<int16_t>(ring_samples - 100, 3));
}
