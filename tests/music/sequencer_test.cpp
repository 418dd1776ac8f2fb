// The sequencer over the recording MIDI output and the hand-stepped timer.

#include <gtest/gtest.h>

#include "music/sequencer.h"
#include "music/song.h"
#include "platform/null/null_midi.h"
#include "platform/null/null_timer.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {

std::vector<uint32_t> silence_messages() {
    std::vector<uint32_t> out;
    for (uint32_t c = 0; c < 16; ++c) {
        out.push_back(0x78B0 + c);
        out.push_back(0x7BB0 + c);
    }
    return out;
}

class SequencerTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_null_midi();
        reset_null_timer();
        music_open = false;
        music_running = false;
        music_stopped = true;
        music_clock = 0;
        music_position = 0;
        music_event_count = 0;
    }
    void TearDown() override { reset_null_timer(); }

    // The table as a playing timer sees it, without a file.
    void play(const std::vector<Record>& records) {
        for (const Record& r : records)
            add_music_event(r.time, r.message & 0xFF, r.message >> 8 & 0xFF, r.message >> 16 & 0xFF);
        music_running = true;
        music_stopped = false;
    }
    // One timer call; what it sent.
    std::vector<uint32_t> tick() {
        const size_t before = null_midi.sent.size();
        music_tick(1);
        return std::vector<uint32_t>(null_midi.sent.begin() + static_cast<std::ptrdiff_t>(before), null_midi.sent.end());
    }
    void write_song(const Bytes& file) { write_file(scratch.media("song.mid"), file); }
    // Let stop_music's waits fire the live timer, as the real timer would.
    void timer_fires_while_waiting() {
        null_timer.on_sleep = [] { fire_null_timer(); };
    }
    ScratchDir scratch;
};

const std::vector<Record> four{rec(0, 0x90, 0x3C, 0x64), rec(5, 0xFF, 0x51, 0x09), rec(10, 0x90, 0x40, 0x64),
                               rec(25, 0x80, 0x3C, 0x40)};

TEST_F(SequencerTest, SendsWhatIsDueAndLoops) {
    play(four);
    EXPECT_EQ(tick(), (std::vector<uint32_t>{four[0].message, four[1].message}));
    EXPECT_EQ(music_clock, 10);
    EXPECT_EQ(tick(), std::vector<uint32_t>{four[2].message});
    EXPECT_EQ(tick(), std::vector<uint32_t>{four[3].message});
    EXPECT_EQ(music_clock, 0);
    EXPECT_EQ(music_position, 0);
    EXPECT_EQ(tick(), (std::vector<uint32_t>{four[0].message, four[1].message}));
    EXPECT_EQ(music_clock, 10);
}

TEST_F(SequencerTest, StrictTableOrder) {
    play({rec(0, 0x90, 1, 1), rec(500, 0x90, 2, 2), rec(200, 0x90, 3, 3)});
    EXPECT_EQ(tick(), std::vector<uint32_t>{0x010190});
    for (int call = 2; call <= 50; ++call) ASSERT_TRUE(tick().empty()) << "call " << call;
    EXPECT_EQ(tick(), (std::vector<uint32_t>{0x020290, 0x030390}));
    EXPECT_EQ(music_clock, 0);
}

TEST_F(SequencerTest, EmptyTableSendsNothing) {
    play({});
    for (int call = 0; call < 100; ++call) {
        EXPECT_TRUE(tick().empty());
        EXPECT_EQ(music_clock, 0);
    }
}

TEST_F(SequencerTest, GameStartPlaysAndShutdownStopsWithTheHandshake) {
    write_song(header(0, 0x01, 0xE0) + track({0x00, 0x90, 0x3C, 0x64, 0x1E, 0x80, 0x3C, 0x40, 0x32, 0x90, 0x40, 0x64}));
    open_music();
    EXPECT_TRUE(music_open);
    start_song();
    ASSERT_NE(null_timer.live, 0u);
    EXPECT_EQ(null_timer.period_ms, 10u);
    EXPECT_EQ(music_event_count, 3);
    for (int call = 0; call < 4; ++call) fire_null_timer();
    EXPECT_EQ(null_midi.sent, (std::vector<uint32_t>{0x643C90, 0x403C80}));
    EXPECT_EQ(music_clock, 40);

    const TimerId id = null_timer.live;
    // The timer answers the stop request only at its third chance.
    int sleeps = 0;
    null_timer.on_sleep = [&] {
        if (++sleeps == 3) fire_null_timer();
    };
    shutdown_music();
    EXPECT_EQ(null_timer.sleeps, (std::vector<uint32_t>{10, 10, 10}));
    EXPECT_EQ(null_timer.killed, std::vector<TimerId>{id});
    EXPECT_EQ(std::vector<uint32_t>(null_midi.sent.begin() + 2, null_midi.sent.end()), silence_messages());
    EXPECT_TRUE(music_stopped);
    EXPECT_EQ(music_event_count, 0);
    EXPECT_EQ(music_position, 0);
    EXPECT_EQ(music_clock, 40);
    EXPECT_EQ(null_timer.end_periods, std::vector<uint32_t>{10});
    EXPECT_EQ(null_midi.close_count, 1);
    EXPECT_FALSE(music_open);
    EXPECT_EQ(null_midi.sent_while_closed, 0);
}

TEST_F(SequencerTest, StopWithoutATimerReturnsAtOnce) {
    struct Case {
        const char* name;
        Bytes song;
        bool timer_fails;
    };
    const Case cases[] = {
        {"song rejected", chunk("MThd", {0, 2, 0, 1, 0, 96}), false},
        {"timer not made", header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64}), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        write_song(c.song);
        null_timer.fail_start = c.timer_fails;
        open_music();
        start_song();
        music_position = 1;
        shutdown_music();
        EXPECT_TRUE(null_timer.sleeps.empty());
        EXPECT_TRUE(null_midi.sent.empty());
        EXPECT_EQ(music_event_count, 0);
        EXPECT_EQ(music_position, 0);
        EXPECT_EQ(null_midi.close_count, 1);
    }
}

TEST_F(SequencerTest, MissingSongRunsTheTimerWithNothingToSend) {
    open_music();
    start_song();
    ASSERT_NE(null_timer.live, 0u);
    for (int call = 0; call < 10; ++call) EXPECT_TRUE(tick().empty());
    timer_fires_while_waiting();
    shutdown_music();
    EXPECT_EQ(null_midi.sent, silence_messages());
}

TEST_F(SequencerTest, ReopeningClosesFirst) {
    write_song(header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64}));
    open_music();
    start_song();
    timer_fires_while_waiting();
    open_music();
    EXPECT_TRUE(music_open);
    EXPECT_EQ(null_midi.open_count, 2);
    EXPECT_EQ(null_midi.close_count, 1);
    EXPECT_TRUE(null_midi.is_open);
    EXPECT_EQ(null_timer.begin_periods, (std::vector<uint32_t>{10, 10}));
    EXPECT_EQ(null_timer.end_periods, std::vector<uint32_t>{10});
    EXPECT_EQ(null_timer.live, 0u);
    EXPECT_EQ(music_event_count, 0);
    EXPECT_EQ(null_midi.sent_while_closed, 0);
}

TEST_F(SequencerTest, NoOutputMeansNoMusicAtAll) {
    struct Case {
        bool output_fails, resolution_fails;
    };
    for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << c.output_fails << c.resolution_fails);
        SetUp();
        write_song(header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64}));
        null_midi.fail_open = c.output_fails;
        null_timer.fail_begin_period = c.resolution_fails;
        open_music();
        // Both are asked for, whatever the first answered.
        EXPECT_EQ(null_midi.open_count, 1);
        EXPECT_EQ(null_timer.begin_periods.size(), 1u);
        EXPECT_FALSE(music_open);
        start_song();
        EXPECT_EQ(music_event_count, 0);
        const int timer_calls = null_timer_call_count();
        shutdown_music();
        EXPECT_EQ(null_timer_call_count(), timer_calls);
        EXPECT_EQ(null_timer.start_count, 0);
        EXPECT_EQ(null_midi.close_count, 0);
        EXPECT_TRUE(null_midi.sent.empty());
    }
}

}  // namespace
