// The sequencer against the real Linux timer thread: start and stop over and
// over, with the stop request landing at every point of the timer's period.
// Run under ThreadSanitizer as well.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "music/sequencer.h"
#include "music/song.h"
#include "platform/midi_out.h"
#include "platform/timer.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

// A MIDI output that the timer thread may write while the test thread looks
// on. The lock is the test's own; the sequencer takes none.
namespace {
std::mutex midi_mutex;
bool midi_is_open = false;
std::vector<uint32_t> midi_sent;
int midi_sent_while_closed = 0;

size_t midi_sent_count() {
    std::lock_guard<std::mutex> lock(midi_mutex);
    return midi_sent.size();
}
}  // namespace

bool midi_out_open() {
    std::lock_guard<std::mutex> lock(midi_mutex);
    midi_is_open = true;
    return true;
}
void midi_out_short(uint32_t message) {
    std::lock_guard<std::mutex> lock(midi_mutex);
    if (!midi_is_open) ++midi_sent_while_closed;
    midi_sent.push_back(message);
}
void midi_out_close() {
    std::lock_guard<std::mutex> lock(midi_mutex);
    midi_is_open = false;
}

namespace {

TEST(SequencerThreads, StartAndStopOverAndOver) {
    ScratchDir scratch;
    // A note every 10 ticks, so nearly every timer call sends something.
    Bytes events;
    for (int i = 0; i < 50; ++i) events = events + Bytes{0x0A, 0x90, uint8_t(0x30 + i % 24), 0x40};
    write_file(scratch.media("song.mid"), header(0, 0, 96) + track(events));

    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        {
            std::lock_guard<std::mutex> lock(midi_mutex);
            midi_sent.clear();
        }
        open_music();
        ASSERT_TRUE(music_open);
        start_song();
        // Every tenth round waits for the music to be heard, so the real timer is known to run.
        if (round % 10 == 0) {
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (midi_sent_count() == 0 && std::chrono::steady_clock::now() < give_up)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ASSERT_GT(midi_sent_count(), 0u);
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(round * 173 % 25000));
        }
        shutdown_music();
        EXPECT_TRUE(music_stopped.load());
        EXPECT_EQ(music_event_count, 0);
        std::lock_guard<std::mutex> lock(midi_mutex);
        ASSERT_GE(midi_sent.size(), 32u);
        EXPECT_EQ(midi_sent[midi_sent.size() - 32], 0x78B0u);
        EXPECT_EQ(midi_sent.back(), 0x7BBFu);
        EXPECT_EQ(midi_sent_while_closed, 0);
    }
}

std::atomic<int> calls{0};
std::atomic<TimerId> self_killed{0};

void count_call(TimerId) { ++calls; }
void kill_self_on_third(TimerId id) {
    if (++calls == 3) {
        timer_kill(id);
        self_killed = id;
    }
}

TEST(PosixTimer, CallsPeriodicallyUntilKilled) {
    calls = 0;
    const TimerId id = timer_start(10, count_call);
    ASSERT_NE(id, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(205));
    timer_kill(id);
    const int seen = calls;
    // Loose bounds: a busy test machine may be late, never early.
    EXPECT_GE(seen, 5);
    EXPECT_LE(seen, 21);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(calls - seen, 1);  // at most a call that was under way
}

TEST(PosixTimer, KilledFromInsideItsOwnCall) {
    calls = 0;
    self_killed = 0;
    const TimerId id = timer_start(5, kill_self_on_third);
    ASSERT_NE(id, 0u);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (self_killed == 0 && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(self_killed.load(), id);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls.load(), 3);
    // A new timer gets a new id and joins the old thread.
    const TimerId next = timer_start(5, count_call);
    EXPECT_NE(next, id);
    timer_kill(next);
}

}  // namespace
