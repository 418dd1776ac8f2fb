// The song reader over files built byte by byte.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "music/song.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

// Format 0 at 480 ticks per quarter note, as most small songs are.
const Bytes header480 = header(0, 0x01, 0xE0);

class SongTest : public ::testing::Test {
protected:
    void SetUp() override { music_event_count = 0; }
    bool load(const Bytes& file) {
        write_file(scratch.media("song.mid"), file);
        return load_song();
    }
    ScratchDir scratch;
};

TEST_F(SongTest, TwoNotesOfTheSmallestSong) {
    EXPECT_TRUE(load(header480 + track({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00})));
    EXPECT_EQ(table(), (std::vector<Record>{rec(0, 0x90, 0x3C, 0x64), rec(480, 0x80, 0x3C, 0x40)}));
}

TEST_F(SongTest, EventsOfOneTrack) {
    struct Case {
        const char* name;
        Bytes events;
        std::vector<Record> expected;
    };
    const Record note = rec(0, 0x90, 0x3C, 0x64);
    const Case cases[] = {
        {"running status", {0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00}, {note, rec(96, 0x90, 0x3C, 0x00)}},
        {"one data byte", {0x00, 0xC0, 0x05, 0x00, 0xD3, 0x40}, {rec(0, 0xC0, 0x05, 0), rec(0, 0xD3, 0x40, 0)}},
        {"two data bytes", {0x00, 0xA1, 0x3C, 0x10, 0x00, 0xB2, 0x07, 0x7F, 0x00, 0xE3, 0x00, 0x40},
         {rec(0, 0xA1, 0x3C, 0x10), rec(0, 0xB2, 0x07, 0x7F), rec(0, 0xE3, 0x00, 0x40)}},
        {"name and sysex passed over",
         {0x00, 0xFF, 0x03, 0x05, 'W', 'a', 'x', 'e', 'n', 0x00, 0xF0, 0x05, 0x43, 0x10, 0x4C, 0x00, 0xF7,
          0x00, 0x90, 0x3C, 0x64},
         {note}},
        {"running status remembers sysex",
         {0x00, 0xF0, 0x01, 0x7E, 0x00, 0x02, 0x41, 0x42, 0x00, 0x90, 0x3C, 0x64}, {note}},
        {"running status remembers meta",
         {0x00, 0xFF, 0x01, 0x00, 0x00, 0x01, 0x02, 0x41, 0x42, 0x00, 0x90, 0x3C, 0x64}, {note}},
        {"F7 and F1 read like sysex", {0x00, 0xF7, 0x02, 0x01, 0x02, 0x00, 0xF1, 0x01, 0x55, 0x00, 0x90, 0x3C, 0x64},
         {note}},
        {"sysex of negative length skips nothing", {0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x90, 0x3C, 0x64},
         {note}},
        {"no status yet", {0x00, 0x05, 0x90, 0x3C, 0x64}, {rec(5, 0x90, 0x3C, 0x64)}},
        {"end of track with bytes after it", {0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 0x40, 0x64},
         {note}},
        {"fixed meta sizes ignore the length byte",
         {0x00, 0xFF, 0x54, 0x7F, 1, 2, 3, 4, 5, 0x00, 0xFF, 0x58, 0x7F, 4, 2, 24, 8, 0x00, 0x90, 0x3C, 0x64,
          0x00, 0xFF, 0x2F, 0x7F, 0x00, 0x90, 0x40, 0x64},
         {note}},
        {"long delta time", {0x81, 0x80, 0x00, 0x90, 0x3C, 0x64}, {rec(16384, 0x90, 0x3C, 0x64)}},
        {"running time wraps at 32 bits", {0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x64}, {rec(-1, 0x90, 0x3C, 0x64)}},
        {"data bytes taken as they are", {0x00, 0x90, 0xBC, 0x64}, {rec(0, 0x90, 0xBC, 0x64)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        music_event_count = 0;
        EXPECT_TRUE(load(header480 + track(c.events)));
        EXPECT_EQ(table(), c.expected);
    }
}

TEST_F(SongTest, TempoRecords) {
    struct Case {
        const char* name;
        Bytes head;
        Bytes tempo;
        std::vector<Record> expected;
    };
    const Case cases[] = {
        {"480 per quarter at 500000 us", header480, {0x07, 0xA1, 0x20}, {rec(0, 0xFF, 0x51, 9)}},
        {"96 per quarter at 500000 us", header(0, 0, 96), {0x07, 0xA1, 0x20}, {rec(0, 0xFF, 0x51, 1)}},
        {"kept modulo 256", header(0, 0x7F, 0xFF), {0x00, 0x00, 0x01}, {rec(0, 0xFF, 0x51, 240)}},
        {"exactly 256 is 0", header(0, 0x0A, 0x00), {0x01, 0x86, 0xA0}, {rec(0, 0xFF, 0x51, 0)}},
        {"tempo zero", header480, {0x00, 0x00, 0x00}, {}},
        {"SMPTE division", header(0, 0xE7, 0x28), {0x07, 0xA1, 0x20}, {}},
        {"no header", {}, {0x07, 0xA1, 0x20}, {}},
        {"SMPTE after a plain header", header480 + header(0, 0xE7, 0x28), {0x07, 0xA1, 0x20}, {}},
        {"plain header after SMPTE", header(0, 0xE7, 0x28) + header480, {0x07, 0xA1, 0x20}, {rec(0, 0xFF, 0x51, 9)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        music_event_count = 0;
        const Bytes events = Bytes{0x00, 0xFF, 0x51, 0x03} + c.tempo + Bytes{0x00, 0x90, 0x3C, 0x64};
        EXPECT_TRUE(load(c.head + track(events)));
        EXPECT_EQ(table(), c.expected + std::vector<Record>{rec(0, 0x90, 0x3C, 0x64)});
    }
}

TEST_F(SongTest, HeaderChunks) {
    struct Case {
        const char* name;
        Bytes head;
        bool result;
        size_t count;  // records from the two tracks that follow
    };
    const Case cases[] = {
        {"length 8 reads past two extra bytes", chunk("MThd", {0, 1, 0, 2, 0x01, 0xE0, 'M', 'T'}), true, 2},
        {"length 5", chunk("MThd", {0, 1, 0, 2, 0x01}), false, 0},
        {"format 00 02", chunk("MThd", {0, 2, 0, 2, 0x01, 0xE0}), false, 0},
        {"format FF 00 is format 0", chunk("MThd", {0xFF, 0, 0, 2, 0x01, 0xE0}), true, 2},
        {"track count ignored", chunk("MThd", {0, 1, 0xFF, 0xFF, 0x01, 0xE0}), true, 2},
    };
    const Bytes tracks = track({0x10, 0x90, 0x3C, 0x64}) + track({0x10, 0x80, 0x3C, 0x40});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        music_event_count = 0;
        EXPECT_EQ(load(c.head + tracks), c.result);
        EXPECT_EQ(table().size(), c.count);
    }
}

TEST_F(SongTest, FormatDecidesWhetherTracksShareTheClock) {
    const Bytes tracks = track({0x10, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}) + track({0x20, 0x80, 0x3C, 0x40});
    struct Case {
        Bytes head;
        int32_t second_time;
    };
    const Case cases[] = {
        {header(1, 0x01, 0xE0), 0x20},
        {header(0, 0x01, 0xE0), 0x30},
        {chunk("MThd", {1, 0, 0, 2, 0x01, 0xE0}), 0x30},  // format word 01 00: only the low byte counts
        {{}, 0x30},                                       // no header: format 0
    };
    for (const Case& c : cases) {
        music_event_count = 0;
        EXPECT_TRUE(load(c.head + tracks));
        EXPECT_EQ(table(), (std::vector<Record>{rec(0x10, 0x90, 0x3C, 0x64), rec(c.second_time, 0x80, 0x3C, 0x40)}));
    }
}

TEST_F(SongTest, LengthUsesOnlyItsLastThreeBytes) {
    const Bytes events{0x00, 0x90, 0x3C, 0x64, 0x00, 0x90, 0x3E, 0x64, 0x00, 0x90, 0x40, 0x64, 0x00, 0x90, 0x43, 0x64};
    EXPECT_TRUE(load(header480 + Bytes{'M', 'T', 'r', 'k', 0x01, 0x00, 0x00, 0x10} + events));
    EXPECT_EQ(table().size(), 4u);
}

TEST_F(SongTest, ChunksAreKnownByTheirThirdByteAlone) {
    const Bytes note{0x00, 0x90, 0x3C, 0x64};
    // An unknown chunk is read through four bytes at a time, so a group of its
    // data whose third byte is 'r' opens a track, with the next four bytes
    // as its length.
    const Bytes junk = chunk("Junk", {'x', 'x', 'x', 'x', '.', '.', 'r', '.', 0, 0, 0, 4, 0x00, 0x80, 0x3C, 0x40});
    EXPECT_TRUE(load(header480 + Bytes{'?', '?', 'r', '?', 0, 0, 0, 4} + note + junk));
    EXPECT_EQ(table(), (std::vector<Record>{rec(0, 0x90, 0x3C, 0x64), rec(0, 0x80, 0x3C, 0x40)}));

    music_event_count = 0;
    EXPECT_FALSE(load(header480 + Bytes{'x', 'x', 'h', 'x', 0, 0, 0, 6, 0, 7, 0, 1, 0, 96} + track(note)));
    EXPECT_TRUE(table().empty());
}

TEST_F(SongTest, RejectedHeaderKeepsWhatCameBefore) {
    EXPECT_FALSE(load(header480 + track({0x00, 0x90, 0x3C, 0x64}) + chunk("MThd", {0, 2, 0, 1, 0, 96}) +
                      track({0x00, 0x90, 0x40, 0x64})));
    EXPECT_EQ(table(), std::vector<Record>{rec(0, 0x90, 0x3C, 0x64)});
}

TEST_F(SongTest, FullTableDropsTheRestAndReadsOn) {
    Bytes events;
    for (int i = 0; i < 4097; ++i) events = events + Bytes{0x01, 0x90, uint8_t(i & 0x7F), 0x64};
    // A rejected header after the excess shows that the reading went on.
    EXPECT_FALSE(load(header480 + track(events) + chunk("MThd", {0, 2, 0, 1, 0, 96})));
    EXPECT_EQ(music_event_count, 4096);
    EXPECT_EQ(table().back(), rec(4096, 0x90, 4095 & 0x7F, 0x64));
}

TEST_F(SongTest, EmptyOrMissingSongLoadsNothing) {
    EXPECT_TRUE(load({}));
    EXPECT_EQ(music_event_count, 0);
    std::filesystem::remove(scratch.media("song.mid"));
    EXPECT_TRUE(load_song());
    EXPECT_EQ(music_event_count, 0);
}

TEST_F(SongTest, LoadAppendsToTheTable) {
    add_music_event(7, 0xC0, 1, 0);
    EXPECT_TRUE(load(header480 + track({0x00, 0x90, 0x3C, 0x64})));
    EXPECT_EQ(table(), (std::vector<Record>{rec(7, 0xC0, 1, 0), rec(0, 0x90, 0x3C, 0x64)}));
}

// A song cut short anywhere keeps exactly the tracks that were read whole.
TEST_F(SongTest, CutAtEveryByte) {
    const Bytes first = track({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes second = track({0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes file = header480 + first + second;
    const size_t first_end = header480.size() + first.size();
    const std::vector<Record> first_records{rec(0, 0x90, 0x3C, 0x64), rec(480, 0x80, 0x3C, 0x40)};
    for (size_t n = 0; n <= file.size(); ++n) {
        SCOPED_TRACE(n);
        music_event_count = 0;
        EXPECT_TRUE(load(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n))));
        std::vector<Record> expected;
        if (n >= first_end) expected = first_records;
        if (n == file.size()) expected.push_back(rec(480, 0x90, 0x40, 0x64));
        EXPECT_EQ(table(), expected);
    }
}

// An event that runs past its track's data is dropped; in format 0 a delta
// time read whole still moves the next track's clock.
TEST_F(SongTest, EventCutByTheEndOfItsTrack) {
    struct Case {
        const char* name;
        Bytes first_track;
        int32_t next_time;
    };
    const Case cases[] = {
        {"cut inside the data", {0x00, 0x90, 0x3C, 0x64, 0x10, 0x90, 0x3E}, 0x10},
        {"cut after the delta time", {0x00, 0x90, 0x3C, 0x64, 0x10}, 0x10},
        {"cut inside the delta time", {0x00, 0x90, 0x3C, 0x64, 0x81}, 0},
        {"cut inside a sysex", {0x00, 0x90, 0x3C, 0x64, 0x10, 0xF0, 0x05, 0x01}, 0x10},
        {"cut inside a tempo", {0x00, 0x90, 0x3C, 0x64, 0x10, 0xFF, 0x51, 0x03, 0x07}, 0x10},
        {"cut inside end of track", {0x00, 0x90, 0x3C, 0x64, 0x10, 0xFF, 0x2F}, 0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        music_event_count = 0;
        EXPECT_TRUE(load(header480 + track(c.first_track) + track({0x00, 0x80, 0x3C, 0x40})));
        EXPECT_EQ(table(), (std::vector<Record>{rec(0, 0x90, 0x3C, 0x64), rec(c.next_time, 0x80, 0x3C, 0x40)}));
    }
}

// The game only reads the song, so a song the player may not write to plays.
TEST_F(SongTest, ReadOnlySongLoads) {
    const std::string path = scratch.media("song.mid");
    write_file(path, header480 + track({0x00, 0x90, 0x3C, 0x64}));
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    // Writable again afterwards, or some systems would not let the scratch folder go.
    struct Restore {
        std::string path;
        ~Restore() { fs::permissions(path, fs::perms::owner_write, fs::perm_options::add); }
    } restore{path};
    if (std::FILE* probe = std::fopen(path.c_str(), "r+b")) {
        std::fclose(probe);
        GTEST_SKIP() << "this user may write to read-only files, so the check cannot tell";
    }
    EXPECT_TRUE(load_song());
    EXPECT_EQ(table(), std::vector<Record>{rec(0, 0x90, 0x3C, 0x64)});
}

TEST(MusicTable, AddPacksTheMessageAndStopsWhenFull) {
    music_event_count = 0;
    add_music_event(-5, 0x9F, 0x7F, 0x01);
    EXPECT_EQ(music_events[0].time, -5);
    EXPECT_EQ(music_events[0].message, 0x017F9Fu);
    music_event_count = music_event_capacity;
    music_events[0].time = 1;
    add_music_event(99, 0x80, 0, 0);
    EXPECT_EQ(music_event_count, music_event_capacity);
    EXPECT_EQ(music_events[0].time, 1);
    music_event_count = 0;
}

}  // namespace
