// The song reader over files built byte by byte, over MIDI files written by
// others, and over the song the game ships. Every expectation for an outside
// file comes from walking its bytes by the reader's rules, or, for the shipped
// song, from how it was written.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "music/song.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

// Loads files from a scratch media folder into an empty table.
class SongTest : public ::testing::Test {
protected:
    bool load(const Bytes& file) {
        music_event_count = 0;
        write_file(scratch.media("song.mid"), file);
        return load_song();
    }
    ScratchDir scratch;
};

// One file and the table it must give (the load's result too).
struct SongCase {
    std::string name;
    Bytes file;
    bool result;
    std::vector<Record> expected;
};

const Bytes header480 = header(0, 0x01, 0xE0);  // format 0, 480 ticks per quarter note
const Bytes note_on{0x00, 0x90, 0x3C, 0x64};
const Record note = rec(0, 0x90, 0x3C, 0x64);
Bytes song(const Bytes& events) { return header480 + track(events); }
// Events read past: of a track of these and then the note, only the note is kept.
SongCase before_note(const std::string& name, const Bytes& events) {
    return {name, song(events + note_on), true, {note}};
}

// A tempo event of these microseconds, then the note, under this header.
Bytes tempo(const Bytes& head, const Bytes& us) { return head + track(Bytes{0x00, 0xFF, 0x51, 0x03} + us + note_on); }
const Bytes us500000{0x07, 0xA1, 0x20};
const Bytes smpte = header(0, 0xE7, 0x28);

// Two tracks, the second's event 0x20 ticks after the first's at 0x10.
const Bytes two_tracks = track({0x10, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}) + track({0x20, 0x80, 0x3C, 0x40});
std::vector<Record> two(int32_t second) { return {rec(0x10, 0x90, 0x3C, 0x64), rec(second, 0x80, 0x3C, 0x40)}; }

// The note's track ends with tail, then a track with a note-off.
Bytes cut(const Bytes& tail) { return song(note_on + tail) + track({0x00, 0x80, 0x3C, 0x40}); }
std::vector<Record> next_at(int32_t time) { return {note, rec(time, 0x80, 0x3C, 0x40)}; }

// An unknown chunk is read through four bytes at a time, so a group of its
// data whose third byte is 'r' opens a track, with the next four bytes as its length.
const Bytes junk = chunk("Junk", {'x', 'x', 'x', 'x', '.', '.', 'r', '.', 0, 0, 0, 4, 0x00, 0x80, 0x3C, 0x40});

const std::string real_songs = std::string(WAXDROP_SHARED_DIR) + "/realfiles/midi/";

#ifdef WAXDROP_HAVE_REALFILES
// A file of the shared folder and the whole table it must give.
SongCase real(const std::string& name, bool result, std::vector<Record> expected) {
    return {name, read_file(real_songs + name), result, std::move(expected)};
}

// Quarter notes (96 ticks) on one channel, each ended at the next note-on by
// a note-off, or by a note-on of velocity 0.
std::vector<Record> scale(int32_t start, uint32_t channel, std::vector<uint32_t> keys, bool zero_velocity_off = false) {
    std::vector<Record> out;
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto t = start + 96 * static_cast<int32_t>(i);
        out.push_back(rec(t, 0x90 | channel, keys[i], 0x7F));
        out.push_back(zero_velocity_off ? rec(t + 96, 0x90 | channel, keys[i], 0)
                                        : rec(t + 96, 0x80 | channel, keys[i], 0x40));
    }
    return out;
}

const std::vector<uint32_t> c_major{0x3C, 0x3E, 0x40, 0x41, 0x43, 0x45, 0x47, 0x48};
const std::vector<uint32_t> c_sharp_major{0x3D, 0x3F, 0x41, 0x42, 0x44, 0x46, 0x48, 0x49};

// 480 ticks per quarter; tempos 500000, 545454, 666666 and 1000000 us give
// 9.6, 8.8, 7.2 and 4.8 ticks per 10 ms. Each tempo is followed by four notes
// as on/zero-velocity pairs 120 ticks long, 480 apart.
std::vector<Record> tempo_changes() {
    std::vector<Record> out;
    const uint32_t rates[] = {9, 8, 7, 4};
    for (int32_t k = 0; k < 4; ++k) {
        out.push_back(rec(1920 * k, 0xFF, 0x51, rates[k]));
        for (int32_t n = 0; n < 4; ++n)
            out = out + std::vector<Record>{rec(1920 * k + 480 * n, 0x90, 0x35, 0x50),
                                            rec(1920 * k + 480 * n + 120, 0x90, 0x35, 0x00)};
    }
    return out;
}

#endif

// One file and the table it gives: the events of one track; the tempo record
// (ticks per 10 ms, division * 10000 / tempo, kept modulo 256: 480 * 10000 /
// 500000 = 9.6 and 2560 * 10000 / 100000 = 256); the header chunks (format 1
// starts each track's clock at 0, format 0 and no header carry it on); chunk
// ids and lengths; an event that runs past its track's data is dropped, and in
// format 0 a delta time read whole still moves the next track's clock.
TEST_F(SongTest, WholeTables) {
    const SongCase cases[] = {
        {"running status", song({0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00}), true, {note, rec(96, 0x90, 0x3C, 0)}},
        {"one data byte", song({0x00, 0xC0, 0x05, 0x00, 0xD3, 0x40}), true, {rec(0, 0xC0, 5, 0), rec(0, 0xD3, 0x40, 0)}},
        {"two data bytes", song({0x00, 0xA1, 0x3C, 0x10, 0x00, 0xB2, 0x07, 0x7F, 0x00, 0xE3, 0x00, 0x40}), true,
         {rec(0, 0xA1, 0x3C, 0x10), rec(0, 0xB2, 0x07, 0x7F), rec(0, 0xE3, 0x00, 0x40)}},
        before_note("name and sysex passed over",
                    {0x00, 0xFF, 0x03, 0x05, 'W', 'a', 'x', 'e', 'n', 0x00, 0xF0, 0x05, 0x43, 0x10, 0x4C, 0x00, 0xF7}),
        before_note("running status remembers sysex", {0x00, 0xF0, 0x01, 0x7E, 0x00, 0x02, 0x41, 0x42}),
        before_note("running status remembers meta", {0x00, 0xFF, 0x01, 0x00, 0x00, 0x01, 0x02, 0x41, 0x42}),
        before_note("F7 and F1 read like sysex", {0x00, 0xF7, 0x02, 0x01, 0x02, 0x00, 0xF1, 0x01, 0x55}),
        before_note("sysex of negative length skips nothing", {0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}),
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
        {"480 per quarter at 500000 us", tempo(header480, us500000), true, {rec(0, 0xFF, 0x51, 9), note}},
        {"exactly 256 is 0", tempo(header(0, 0x0A, 0x00), {0x01, 0x86, 0xA0}), true, {rec(0, 0xFF, 0x51, 0), note}},
        {"tempo zero", tempo(header480, {0, 0, 0}), true, {note}},
        {"SMPTE division", tempo(smpte, us500000), true, {note}},
        {"no header, a tempo", tempo({}, us500000), true, {note}},
        {"SMPTE after a plain header", tempo(header480 + smpte, us500000), true, {note}},
        {"plain header after SMPTE", tempo(smpte + header480, us500000), true, {rec(0, 0xFF, 0x51, 9), note}},
        {"format 1", header(1, 0x01, 0xE0) + two_tracks, true, two(0x20)},
        {"format 0", header480 + two_tracks, true, two(0x30)},
        {"no header, two tracks", two_tracks, true, two(0x30)},
        {"format 01 00 is format 0", chunk("MThd", {1, 0, 0, 2, 0x01, 0xE0}) + two_tracks, true, two(0x30)},
        {"format FF 00 is format 0", chunk("MThd", {0xFF, 0, 0, 2, 0x01, 0xE0}) + two_tracks, true, two(0x30)},
        {"format 00 02", chunk("MThd", {0, 2, 0, 2, 0x01, 0xE0}) + two_tracks, false, {}},
        {"length 5", chunk("MThd", {0, 1, 0, 2, 0x01}) + two_tracks, false, {}},
        {"length 8 reads past two extra bytes", chunk("MThd", {0, 1, 0, 2, 0x01, 0xE0, 'M', 'T'}) + two_tracks, true,
         two(0x20)},
        {"track count ignored", chunk("MThd", {0, 1, 0xFF, 0xFF, 0x01, 0xE0}) + two_tracks, true, two(0x20)},
        {"rejected header keeps what came before", song(note_on) + chunk("MThd", {0, 2, 0, 1, 0, 96}) + two_tracks,
         false, {note}},
        {"third byte r opens a track", header480 + Bytes{'?', '?', 'r', '?', 0, 0, 0, 4} + note_on + junk, true,
         {note, rec(0, 0x80, 0x3C, 0x40)}},
        {"third byte h reads a header", header480 + Bytes{'x', 'x', 'h', 'x', 0, 0, 0, 6, 0, 7, 0, 1, 0, 96} +
                                            track(note_on),
         false, {}},
        {"length 01 00 00 10 is 16",
         header480 + Bytes{'M', 'T', 'r', 'k', 0x01, 0x00, 0x00, 0x10} + note_on + Bytes{0x00, 0x90, 0x3E, 0x64} +
             Bytes{0x00, 0x90, 0x40, 0x64, 0x00, 0x90, 0x43, 0x64},
         true, {note, rec(0, 0x90, 0x3E, 0x64), rec(0, 0x90, 0x40, 0x64), rec(0, 0x90, 0x43, 0x64)}},
        {"cut inside the data", cut({0x10, 0x90, 0x3E}), true, next_at(0x10)},
        {"cut after the delta time", cut({0x10}), true, next_at(0x10)},
        {"cut inside the delta time", cut({0x81}), true, next_at(0)},
        {"cut inside a sysex", cut({0x10, 0xF0, 0x05, 0x01}), true, next_at(0x10)},
        {"cut inside a tempo", cut({0x10, 0xFF, 0x51, 0x03, 0x07}), true, next_at(0x10)},
        {"cut inside end of track", cut({0x10, 0xFF, 0x2F}), true, next_at(0x10)},
#ifdef WAXDROP_HAVE_REALFILES
        // Format 0 with two track chunks: the second carries on the first's
        // clock, which ends at 9 quarters. Format 2 is rejected at the header.
        real("jazz_test-2-tracks-type-0.mid", true, scale(96, 0, c_major) + scale(960, 1, c_sharp_major)),
        real("jazz_test-2-tracks-type-1.mid", true, scale(96, 0, c_major) + scale(96, 1, c_sharp_major)),
        real("jazz_test-2-tracks-type-2.mid", false, {}),
        // Eight quarter notes ended by velocity 0; after FF 01 (or F0) the
        // remembered status is the meta (or sysex) byte, so "00 43 7F" that
        // follows is read as meta type 43 (or a sysex) of 127 (or 67) bytes,
        // which runs past the track: only the first four notes count.
        real("jazz_test-running-status-metaevent.mid", true, scale(0, 0, {0x3C, 0x3E, 0x40, 0x41}, true)),
        real("jazz_test-running-status-sysex.mid", true, scale(0, 0, {0x3C, 0x3E, 0x40, 0x41}, true)),
        // The track claims one byte more than the file holds: the short chunk is not parsed.
        real("jazz_test-corrupt-file-missing-byte.mid", true, {}),
        // F4 with length 0, then 90 3C is a delta time and 7F, under the running
        // F4, a length of 127 that runs past the track.
        real("jazz_test-illegal-message-f4.mid", true, {}),
        // The "Junk" chunk is read four bytes at a time; the group at offset 0x52
        // (02 15 'h' 't', inside a text event) is taken as a header whose format
        // byte, '/', is above 1.
        real("jazz_test-non-midi-track.mid", false, {}),
        real("m21_test10.mid", true, tempo_changes()),
        // 120 ticks per quarter at 375000 us: 3.2. An empty track, then three
        // sysex messages (36, 256 and 1 bytes) with no end-of-track event.
        real("midly_SysExTest.mid", true, {rec(0, 0xFF, 0x51, 3)}),
#endif
    };
    for (const SongCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(load(c.file), c.result);
        EXPECT_EQ(table(), c.expected);
    }
}

// A file cut short anywhere keeps exactly the tracks that were read whole.
// The first track is the two-note example: a quarter note (83 60 = 480 ticks).
TEST_F(SongTest, CutAtEveryByte) {
    const Bytes first = track({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes file = header480 + first + track({0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    for (size_t n = 0; n <= file.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(load(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n))));
        std::vector<Record> expected;
        if (n >= header480.size() + first.size()) expected = {note, rec(480, 0x80, 0x3C, 0x40)};
        if (n == file.size()) expected.push_back(rec(480, 0x90, 0x40, 0x64));
        EXPECT_EQ(table(), expected);
    }
}

TEST_F(SongTest, FullTableDropsTheRestAndReadsOn) {
    Bytes events;
    for (int i = 0; i < 4097; ++i) events = events + Bytes{0x01, 0x90, uint8_t(i & 0x7F), 0x64};
    // A rejected header after the excess shows that the reading went on.
    EXPECT_FALSE(load(song(events) + chunk("MThd", {0, 2, 0, 1, 0, 96})));
    EXPECT_EQ(music_event_count, 4096);
    EXPECT_EQ(table().back(), rec(4096, 0x90, 4095 & 0x7F, 0x64));
}

TEST_F(SongTest, LoadAppendsAndEmptyOrMissingFilesAddNothing) {
    EXPECT_TRUE(load({}));
    add_music_event(7, 0xC0, 1, 0);
    EXPECT_TRUE(load_song());  // the empty file
    std::filesystem::remove(scratch.media("song.mid"));
    EXPECT_TRUE(load_song());
    write_file(scratch.media("song.mid"), song(note_on));
    EXPECT_TRUE(load_song());
    EXPECT_EQ(table(), (std::vector<Record>{{7, 0x01C0}, note}));
}

// What the game needs of a song it loops: the whole song in the table; after
// the tempo record, short messages only, sent in table order, so times never
// go back; programs set before the first note; no note left sounding when
// the loop starts again; and a loop that ends on a bar line.
void expect_a_clean_loop(const std::vector<Record>& t, std::set<uint32_t> channels) {
    ASSERT_LT(t.size(), static_cast<size_t>(music_event_capacity));  // nothing dropped
    bool sounding[16][128] = {};
    std::set<uint32_t> heard;
    for (size_t i = 1; i < t.size(); ++i) {
        const uint32_t status = t[i].message & 0xFF, kind = status & 0xF0, channel = status & 0x0F;
        const uint32_t key = t[i].message >> 8 & 0x7F, velocity = t[i].message >> 16 & 0x7F;
        ASSERT_LT(status, 0xF0u) << "record " << i;
        ASSERT_GE(t[i].time, t[i - 1].time) << "record " << i;
        heard.insert(channel);
        if (kind == 0xC0) {
            EXPECT_EQ(t[i].time, 0) << "record " << i;
        }
        if (kind == 0x90 || kind == 0x80) sounding[channel][key] = kind == 0x90 && velocity > 0;
    }
    for (int c = 0; c < 16; ++c)
        for (int k = 0; k < 128; ++k) EXPECT_FALSE(sounding[c][k]) << "channel " << c + 1 << " key " << k;
    EXPECT_EQ(heard, channels);
    // One pass ends one 10 ms call after the last record is due.
    const int32_t loop_ms = (t.back().time / 10 + 1) * 10;
    EXPECT_GE(loop_ms, 60000);
    EXPECT_LE(loop_ms, 90000);
    EXPECT_EQ(loop_ms % 1600, 0) << "the loop falls on a bar line";
}

// Longer files: the record count (or, when 0, at least the records given) and
// records at given places.
TEST_F(SongTest, RecordsAtPlaces) {
    struct Case {
        std::string file;
        size_t count;
        std::vector<std::pair<size_t, Record>> at;
        std::set<uint32_t> loops_on;  // for the shipped song: the channels of a clean loop
    };
    const Case cases[] = {
#ifdef WAXDROP_HAVE_REALFILES
        // 100 ticks per quarter at 666667 us: 1.49 ticks per 10 ms. The lyrics
        // track holds only meta events; the melody track has a program change,
        // 51 notes and switches, and a closing chord in running status.
        {real_songs + "jazz_test-karaoke-kar.mid", 60,
         {{0, rec(0, 0xFF, 0x51, 1)}, {1, rec(0, 0xC0, 0x0B, 0)}, {2, rec(0, 0x90, 0x40, 0x7F)},
          {3, rec(75, 0x80, 0x40, 0x40)}, {53, rec(1500, 0x90, 0x40, 0x64)}, {56, rec(1590, 0x80, 0x3C, 0x40)},
          {59, rec(1590, 0x80, 0x48, 0x40)}}, {}},
        // Division E2 78: no tempo records; times stay in the file's ticks.
        {real_songs + "jdk_MidiSMPTE.mid", 24,
         {{0, rec(0, 0x90, 0x1E, 0x64)}, {1, rec(1969, 0x80, 0x32, 0x64)}, {2, rec(3830, 0x90, 0x1F, 0x64)},
          {23, rec(43243, 0x80, 0x3D, 0x64)}}, {}},
        // 192 ticks per quarter; 535714 and 625000 us both truncate to 3 ticks
        // per 10 ms. The second track starts from 0 again with its program,
        // controls in running status, and a chord.
        {real_songs + "m21_test09.mid", 0,
         {{0, rec(0, 0xFF, 0x51, 3)}, {1, rec(17856, 0xFF, 0x51, 3)}, {2, rec(22368, 0xFF, 0x51, 3)},
          {3, rec(25920, 0xFF, 0x51, 3)}, {4, rec(30432, 0xFF, 0x51, 3)}, {5, rec(0, 0xC0, 0x00, 0)},
          {6, rec(0, 0xB0, 0x07, 0x7F)}, {7, rec(0, 0xB0, 0x0A, 0x3F)}, {8, rec(0, 0xB0, 0x5B, 0x5F)},
          {9, rec(0, 0xB0, 0x5D, 0x00)}, {10, rec(0, 0x90, 0x3E, 0x69)}, {11, rec(0, 0x90, 0x41, 0x69)},
          {12, rec(0, 0x90, 0x45, 0x69)}}, {}},
#endif
        // The shipped song: one tempo record, first of all (400 ticks per
        // quarter at 150 bpm is 10 ticks per 10 ms, the sequencer's pace),
        // then lead, keys and bass, and drums on channel 10.
        {std::string(WAXDROP_SOURCE_DIR) + "/media/song.mid", 0,
         {{0, rec(0, 0xFF, 0x51, 10)}}, {0, 1, 2, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_TRUE(load(read_file(c.file)));
        const std::vector<Record> t = table();
        if (c.count != 0) {
            ASSERT_EQ(t.size(), c.count);
        }
        ASSERT_GT(t.size(), c.at.back().first);
        for (const auto& [i, r] : c.at) EXPECT_EQ(t[i], r) << "record " << i;
        if (!c.loops_on.empty()) expect_a_clean_loop(t, c.loops_on);
    }
}

}  // namespace
