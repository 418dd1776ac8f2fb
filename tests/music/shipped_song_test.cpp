// The song the game ships, read as the game reads it: it must fit the table,
// play at the intended pace, and loop without a note left hanging.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "music/song.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

TEST(ShippedSong, FitsTheTableAndLoopsCleanly) {
    music_event_count = 0;
    ASSERT_TRUE(load_song_file(u16(std::string(WAXDROP_SOURCE_DIR) + "/media/song.mid").c_str()));
    const std::vector<Record> t = table();
    ASSERT_GT(t.size(), 1000u);
    ASSERT_LT(t.size(), 4096u);  // below the cap, so nothing was dropped

    // One tempo record, first of all: 400 ticks per quarter at 150 bpm is 10
    // ticks per 10 ms, the pace the sequencer plays at.
    EXPECT_EQ(t[0], rec(0, 0xFF, 0x51, 10));
    std::set<uint32_t> channels;
    std::set<uint32_t> programmed;
    bool sounding[16][128] = {};
    for (size_t i = 1; i < t.size(); ++i) {
        const uint32_t status = t[i].message & 0xFF, key = t[i].message >> 8 & 0x7F;
        const uint32_t velocity = t[i].message >> 16 & 0x7F, channel = status & 0x0F;
        ASSERT_LT(status, 0xF0u) << "record " << i;
        // Sent strictly in table order, so the times must never go back.
        ASSERT_GE(t[i].time, t[i - 1].time) << "record " << i;
        channels.insert(channel);
        if ((status & 0xF0) == 0xC0) {
            EXPECT_EQ(t[i].time, 0);
            programmed.insert(channel);
        }
        if ((status & 0xF0) == 0x90 && velocity > 0) sounding[channel][key] = true;
        if ((status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && velocity == 0)) sounding[channel][key] = false;
    }
    for (int c = 0; c < 16; ++c)
        for (int k = 0; k < 128; ++k) EXPECT_FALSE(sounding[c][k]) << "channel " << c + 1 << " key " << k;

    EXPECT_EQ(channels, (std::set<uint32_t>{0, 1, 2, 9}));  // lead, keys, bass, drums on 10
    EXPECT_EQ(programmed, (std::set<uint32_t>{0, 1, 2}));
    // One pass ends one 10 ms call after the last record is due.
    const int32_t loop_ms = (t.back().time / 10 + 1) * 10;
    EXPECT_GE(loop_ms, 60000);
    EXPECT_LE(loop_ms, 90000);
    EXPECT_EQ(loop_ms % 1600, 0) << "the loop falls on a bar line";
}

}  // namespace
