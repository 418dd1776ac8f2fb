// The sequencer over the recording MIDI output and the hand-stepped timer.

#include <gtest/gtest.h>

#include <map>

#include "music/sequencer.h"
#include "music/song.h"
#include "platform/null/null_midi.h"
#include "platform/null/null_timer.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

using Messages = std::vector<uint32_t>;

// All Sound Off and All Notes Off, channel by channel.
Messages silence_messages() {
    Messages out;
    for (uint32_t c = 0; c < 16; ++c) out = out + Messages{0x78B0 + c, 0x7BB0 + c};
    return out;
}
const Bytes one_note = header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64});

class SequencerTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_null_midi();
        reset_null_timer();
        music_open = music_running = false;
        music_stopped = true;
        music_clock = music_position = music_event_count = 0;
    }
    void TearDown() override { reset_null_timer(); }
    void write_song(const Bytes& file) { write_file(scratch.media("song.mid"), file); }
    ScratchDir scratch;
};

// Timer calls straight over a table, as a playing timer sees it: what each
// call sends (calls not listed send nothing) and the clock at the end.
TEST_F(SequencerTest, SendsInTableOrderAndLoops) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        int calls;
        std::map<int, Messages> sends;
        int32_t clock;
    };
    const Record a = rec(0, 0x90, 0x3C, 0x64), b = rec(5, 0xFF, 0x51, 9), c = rec(10, 0x90, 0x40, 0x64),
                 d = rec(25, 0x80, 0x3C, 0x40);
    const Case cases[] = {
        // Call n covers times below 10 n; after the last record the table starts again.
        {"times 0 5 10 25", {a, b, c, d}, 4, {{0, {a.message, b.message}}, {1, {c.message}}, {2, {d.message}},
                                              {3, {a.message, b.message}}}, 10},
        // 200 waits behind 500, then both go in one call, which ends the pass.
        {"times 0 500 200", {rec(0, 0x90, 1, 1), rec(500, 0x90, 2, 2), rec(200, 0x90, 3, 3)}, 51,
         {{0, {0x010190}}, {50, {0x020290, 0x030390}}}, 0},
        {"empty table", {}, 100, {}, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        SetUp();
        for (const Record& r : t.records)
            add_music_event(r.time, r.message & 0xFF, r.message >> 8 & 0xFF, r.message >> 16 & 0xFF);
        music_running = true;
        music_stopped = false;
        for (int call = 0; call < t.calls; ++call) {
            const size_t before = null_midi.sent.size();
            music_tick(1);
            const auto due = t.sends.find(call);
            EXPECT_EQ(Messages(null_midi.sent.begin() + static_cast<std::ptrdiff_t>(before), null_midi.sent.end()),
                      due == t.sends.end() ? Messages{} : due->second)
                << "call " << call;
        }
        EXPECT_EQ(music_clock, t.clock);
    }
}

// A game start plays the song; opening again (the next game) first closes
// with the stop handshake; shutdown closes for good.
TEST_F(SequencerTest, PlaysThenReopeningAndShutdownCloseWithTheHandshake) {
    write_song(header(0, 0x01, 0xE0) + track({0x00, 0x90, 0x3C, 0x64, 0x1E, 0x80, 0x3C, 0x40, 0x32, 0x90, 0x40, 0x64}));
    open_music();
    EXPECT_TRUE(music_open);
    start_song();
    ASSERT_NE(null_timer.live, 0u);
    EXPECT_EQ(null_timer.period_ms, 10u);
    for (int call = 0; call < 4; ++call) fire_null_timer();
    EXPECT_EQ(null_midi.sent, (Messages{0x643C90, 0x403C80}));
    EXPECT_EQ(music_clock, 40);

    const TimerId id = null_timer.live;
    // The timer answers the stop request only at its third chance.
    int sleeps = 0;
    null_timer.on_sleep = [&] {
        if (++sleeps == 3) fire_null_timer();
    };
    open_music();
    EXPECT_EQ(null_timer.sleeps, (std::vector<uint32_t>{10, 10, 10}));
    EXPECT_EQ(null_timer.killed, std::vector<TimerId>{id});
    EXPECT_EQ(null_timer.live, 0u);
    EXPECT_EQ(Messages(null_midi.sent.begin() + 2, null_midi.sent.end()), silence_messages());
    EXPECT_TRUE(music_stopped);
    EXPECT_EQ(music_event_count, 0);
    EXPECT_EQ(music_position, 0);
    EXPECT_EQ(music_clock, 40);
    EXPECT_EQ(null_timer.end_periods, std::vector<uint32_t>{10});
    EXPECT_EQ(null_midi.close_count, 1);
    EXPECT_EQ(null_midi.open_count, 2);
    EXPECT_EQ(null_timer.begin_periods, (std::vector<uint32_t>{10, 10}));
    EXPECT_TRUE(music_open && null_midi.is_open);

    shutdown_music();
    EXPECT_EQ(null_timer.end_periods, (std::vector<uint32_t>{10, 10}));
    EXPECT_EQ(null_midi.close_count, 2);
    EXPECT_FALSE(music_open);
    EXPECT_EQ(null_midi.sent_while_closed, 0);
}

// Without a timer nobody answers the stop request, so shutdown must not wait;
// without an output or the timer resolution there is no music at all, and
// shutdown makes no timer call.
TEST_F(SequencerTest, NoTimerOrNoOutput) {
    struct Case {
        const char* name;
        Bytes song;
        bool timer_fails, output_fails, resolution_fails;
    };
    const Case cases[] = {
        {"song rejected", chunk("MThd", {0, 2, 0, 1, 0, 96}), false, false, false},
        {"timer not made", one_note, true, false, false},
        {"no output", one_note, false, true, false},
        {"no resolution", one_note, false, false, true},
        {"neither", one_note, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        write_song(c.song);
        null_timer.fail_start = c.timer_fails;
        null_midi.fail_open = c.output_fails;
        null_timer.fail_begin_period = c.resolution_fails;
        open_music();
        // Both are asked for, whatever the first answered.
        EXPECT_EQ(null_midi.open_count, 1);
        EXPECT_EQ(null_timer.begin_periods.size(), 1u);
        const bool opened = !c.output_fails && !c.resolution_fails;
        EXPECT_EQ(music_open, opened);
        start_song();
        music_position = 1;
        const int timer_calls = null_timer_call_count();
        shutdown_music();
        EXPECT_TRUE(null_timer.sleeps.empty());
        EXPECT_TRUE(null_midi.sent.empty());
        EXPECT_EQ(music_event_count, 0);
        EXPECT_EQ(null_midi.close_count, opened ? 1 : 0);
        if (opened) EXPECT_EQ(music_position, 0);
        else EXPECT_EQ(null_timer_call_count(), timer_calls);  // no timer call at all
        EXPECT_EQ(null_timer.start_count, c.timer_fails ? 1 : 0);
    }
}

}  // namespace
