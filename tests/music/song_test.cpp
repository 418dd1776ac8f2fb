// The song reader over files built byte by byte.

#include <gtest/gtest.h>

#include <filesystem>

#include "music/song.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

const Bytes header480 = header(0, 0x01, 0xE0);  // format 0, 480 ticks per quarter note
const Bytes note_on{0x00, 0x90, 0x3C, 0x64};
const Record note = rec(0, 0x90, 0x3C, 0x64);
Bytes song(const Bytes& events) { return header480 + track(events); }

TEST_F(SongTest, EventsOfOneTrack) {
    check({
        {"running status", song({0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00}), true, {note, rec(96, 0x90, 0x3C, 0)}},
        {"one data byte", song({0x00, 0xC0, 0x05, 0x00, 0xD3, 0x40}), true, {rec(0, 0xC0, 5, 0), rec(0, 0xD3, 0x40, 0)}},
        {"two data bytes", song({0x00, 0xA1, 0x3C, 0x10, 0x00, 0xB2, 0x07, 0x7F, 0x00, 0xE3, 0x00, 0x40}), true,
         {rec(0, 0xA1, 0x3C, 0x10), rec(0, 0xB2, 0x07, 0x7F), rec(0, 0xE3, 0x00, 0x40)}},
        {"name and sysex passed over",
         song(Bytes{0x00, 0xFF, 0x03, 0x05, 'W', 'a', 'x', 'e', 'n', 0x00, 0xF0, 0x05, 0x43, 0x10, 0x4C, 0x00, 0xF7} +
              note_on),
         true, {note}},
        {"running status remembers sysex", song(Bytes{0x00, 0xF0, 0x01, 0x7E, 0x00, 0x02, 0x41, 0x42} + note_on), true,
         {note}},
        {"running status remembers meta", song(Bytes{0x00, 0xFF, 0x01, 0x00, 0x00, 0x01, 0x02, 0x41, 0x42} + note_on),
         true, {note}},
        {"F7 and F1 read like sysex", song(Bytes{0x00, 0xF7, 0x02, 0x01, 0x02, 0x00, 0xF1, 0x01, 0x55} + note_on), true,
         {note}},
        {"sysex of negative length skips nothing", song(Bytes{0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F} + note_on),
         true, {note}},
        {"no status yet", song({0x00, 0x05, 0x90, 0x3C, 0x64}), true, {rec(5, 0x90, 0x3C, 0x64)}},
        {"end of track with bytes after it", song(note_on + Bytes{0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 0x40, 0x64}),
         true, {note}},
        {"fixed meta sizes ignore the length byte",
         song(Bytes{0x00, 0xFF, 0x54, 0x7F, 1, 2, 3, 4, 5, 0x00, 0xFF, 0x58, 0x7F, 4, 2, 24, 8} + note_on +
              Bytes{0x00, 0xFF, 0x2F, 0x7F, 0x00, 0x90, 0x40, 0x64}),
         true, {note}},
        {"long delta time", song({0x81, 0x80, 0x00, 0x90, 0x3C, 0x64}), true, {rec(16384, 0x90, 0x3C, 0x64)}},
        {"time wraps at 32 bits", song({0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x64}), true,
         {rec(-1, 0x90, 0x3C, 0x64)}},
        {"data bytes taken as they are", song({0x00, 0x90, 0xBC, 0x64}), true, {rec(0, 0x90, 0xBC, 0x64)}},
    });
}

// The record is ticks per 10 ms, division * 10000 / tempo, kept modulo 256:
// 480 * 10000 / 500000 = 9.6 and 2560 * 10000 / 100000 = 256.
TEST_F(SongTest, TempoRecords) {
    const auto tempo = [](const Bytes& head, const Bytes& us) {
        return head + track(Bytes{0x00, 0xFF, 0x51, 0x03} + us + note_on);
    };
    const Bytes us500000{0x07, 0xA1, 0x20};
    const Bytes smpte = header(0, 0xE7, 0x28);
    check({
        {"480 per quarter at 500000 us", tempo(header480, us500000), true, {rec(0, 0xFF, 0x51, 9), note}},
        {"exactly 256 is 0", tempo(header(0, 0x0A, 0x00), {0x01, 0x86, 0xA0}), true, {rec(0, 0xFF, 0x51, 0), note}},
        {"tempo zero", tempo(header480, {0, 0, 0}), true, {note}},
        {"SMPTE division", tempo(smpte, us500000), true, {note}},
        {"no header", tempo({}, us500000), true, {note}},
        {"SMPTE after a plain header", tempo(header480 + smpte, us500000), true, {note}},
        {"plain header after SMPTE", tempo(smpte + header480, us500000), true, {rec(0, 0xFF, 0x51, 9), note}},
    });
}

// Format 1 starts each track's clock at 0; format 0 (and no header) carries it on.
TEST_F(SongTest, HeaderChunks) {
    const Bytes tracks = track({0x10, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}) + track({0x20, 0x80, 0x3C, 0x40});
    const auto two = [](int32_t second) {
        return std::vector<Record>{rec(0x10, 0x90, 0x3C, 0x64), rec(second, 0x80, 0x3C, 0x40)};
    };
    check({
        {"format 1", header(1, 0x01, 0xE0) + tracks, true, two(0x20)},
        {"format 0", header480 + tracks, true, two(0x30)},
        {"no header", tracks, true, two(0x30)},
        {"format 01 00 is format 0", chunk("MThd", {1, 0, 0, 2, 0x01, 0xE0}) + tracks, true, two(0x30)},
        {"format FF 00 is format 0", chunk("MThd", {0xFF, 0, 0, 2, 0x01, 0xE0}) + tracks, true, two(0x30)},
        {"format 00 02", chunk("MThd", {0, 2, 0, 2, 0x01, 0xE0}) + tracks, false, {}},
        {"length 5", chunk("MThd", {0, 1, 0, 2, 0x01}) + tracks, false, {}},
        {"length 8 reads past two extra bytes", chunk("MThd", {0, 1, 0, 2, 0x01, 0xE0, 'M', 'T'}) + tracks, true,
         two(0x20)},
        {"track count ignored", chunk("MThd", {0, 1, 0xFF, 0xFF, 0x01, 0xE0}) + tracks, true, two(0x20)},
        {"rejected header keeps what came before", song(note_on) + chunk("MThd", {0, 2, 0, 1, 0, 96}) + tracks,
         false, {note}},
    });
}

TEST_F(SongTest, ChunkIdAndLength) {
    // An unknown chunk is read through four bytes at a time, so a group of its
    // data whose third byte is 'r' opens a track, with the next four bytes as its length.
    const Bytes junk = chunk("Junk", {'x', 'x', 'x', 'x', '.', '.', 'r', '.', 0, 0, 0, 4, 0x00, 0x80, 0x3C, 0x40});
    check({
        {"third byte r opens a track", header480 + Bytes{'?', '?', 'r', '?', 0, 0, 0, 4} + note_on + junk, true,
         {note, rec(0, 0x80, 0x3C, 0x40)}},
        {"third byte h reads a header", header480 + Bytes{'x', 'x', 'h', 'x', 0, 0, 0, 6, 0, 7, 0, 1, 0, 96} +
                                            track(note_on),
         false, {}},
        {"length 01 00 00 10 is 16",
         header480 + Bytes{'M', 'T', 'r', 'k', 0x01, 0x00, 0x00, 0x10} + note_on + Bytes{0x00, 0x90, 0x3E, 0x64} +
             Bytes{0x00, 0x90, 0x40, 0x64, 0x00, 0x90, 0x43, 0x64},
         true, {note, rec(0, 0x90, 0x3E, 0x64), rec(0, 0x90, 0x40, 0x64), rec(0, 0x90, 0x43, 0x64)}},
    });
}

// An event that runs past its track's data is dropped; in format 0 a delta
// time read whole still moves the next track's clock.
TEST_F(SongTest, EventCutByTheEndOfItsTrack) {
    const auto cut = [](const Bytes& tail) { return song(note_on + tail) + track({0x00, 0x80, 0x3C, 0x40}); };
    const auto next_at = [](int32_t time) { return std::vector<Record>{note, rec(time, 0x80, 0x3C, 0x40)}; };
    check({
        {"inside the data", cut({0x10, 0x90, 0x3E}), true, next_at(0x10)},
        {"after the delta time", cut({0x10}), true, next_at(0x10)},
        {"inside the delta time", cut({0x81}), true, next_at(0)},
        {"inside a sysex", cut({0x10, 0xF0, 0x05, 0x01}), true, next_at(0x10)},
        {"inside a tempo", cut({0x10, 0xFF, 0x51, 0x03, 0x07}), true, next_at(0x10)},
        {"inside end of track", cut({0x10, 0xFF, 0x2F}), true, next_at(0x10)},
    });
}

// A file cut short anywhere keeps exactly the tracks that were read whole.
// The first track is the two-note example: a quarter note (83 60 = 480 ticks).
TEST_F(SongTest, CutAtEveryByte) {
    const Bytes first = track({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes file = header480 + first + track({0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    for (size_t n = 0; n <= file.size(); ++n) {
        SCOPED_TRACE(n);
        music_event_count = 0;
        EXPECT_TRUE(load(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n))));
        std::vector<Record> expected;
        if (n >= header480.size() + first.size()) expected = {note, rec(480, 0x80, 0x3C, 0x40)};
        if (n == file.size()) expected.push_back(rec(480, 0x90, 0x40, 0x64));
        EXPECT_EQ(table(), expected);
    }
}

TEST_F(SongTest, FullTableDropsTheRestAndReadsOn) {
    music_event_count = 0;
    Bytes events;
    for (int i = 0; i < 4097; ++i) events = events + Bytes{0x01, 0x90, uint8_t(i & 0x7F), 0x64};
    // A rejected header after the excess shows that the reading went on.
    EXPECT_FALSE(load(song(events) + chunk("MThd", {0, 2, 0, 1, 0, 96})));
    EXPECT_EQ(music_event_count, 4096);
    EXPECT_EQ(table().back(), rec(4096, 0x90, 4095 & 0x7F, 0x64));
}

TEST_F(SongTest, LoadAppendsAndEmptyOrMissingFilesAddNothing) {
    music_event_count = 0;
    add_music_event(7, 0xC0, 1, 0);
    EXPECT_TRUE(load({}));
    std::filesystem::remove(scratch.media("song.mid"));
    EXPECT_TRUE(load_song());
    EXPECT_TRUE(load(song(note_on)));
    EXPECT_EQ(table(), (std::vector<Record>{{7, 0x01C0}, note}));
}

}  // namespace
