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

// A MIDI output the timer thread writes while the test thread looks on. The
// lock is the test's own; the sequencer takes none.
namespace {
std::mutex midi_mutex;
bool midi_is_open = false;
std::vector<uint32_t> midi_sent;
int midi_sent_while_closed = 0;
}  // namespace

bool midi_out_open() {
    std::lock_guard<std::mutex> lock(midi_mutex);
    return midi_is_open = true;
}
void midi_out_short(uint32_t message) {
    std::lock_guard<std::mutex> lock(midi_mutex);
    midi_sent_while_closed += !midi_is_open;
    midi_sent.push_back(message);
}
void midi_out_close() {
    std::lock_guard<std::mutex> lock(midi_mutex);
    midi_is_open = false;
}

namespace {

template <class Done>
void wait_up_to_2s(Done done) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(SequencerThreads, StartAndStopOverAndOver) {
    ScratchDir scratch;
    // A note every 10 ticks, so nearly every timer call sends something.
    Bytes events;
    for (int i = 0; i < 50; ++i) events = events + Bytes{0x0A, 0x90, uint8_t(0x30 + i % 24), 0x40};
    write_file(scratch.media("song.mid"), header(0, 0, 96) + track(events));

    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        std::unique_lock<std::mutex> lock(midi_mutex);
        midi_sent.clear();
        lock.unlock();
        open_music();
        ASSERT_TRUE(music_open);
        start_song();
        // Every tenth round waits to hear the music, so the real timer is known to run.
        if (round % 10 == 0) {
            wait_up_to_2s([] {
                std::lock_guard<std::mutex> heard(midi_mutex);
                return !midi_sent.empty();
            });
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(round * 173 % 25000));
        }
        shutdown_music();
        EXPECT_TRUE(music_stopped.load());
        EXPECT_EQ(music_event_count, 0);
        lock.lock();
        ASSERT_GE(midi_sent.size(), round % 10 == 0 ? 33u : 32u);
        EXPECT_EQ(midi_sent[midi_sent.size() - 32], 0x78B0u);
        EXPECT_EQ(midi_sent.back(), 0x7BBFu);
        EXPECT_EQ(midi_sent_while_closed, 0);
    }
}

// A timer killed from inside its own call stops there; a new one still starts.
std::atomic<int> calls{0};
std::atomic<TimerId> self_killed{0};

TEST(PosixTimer, KilledFromInsideItsOwnCall) {
    const TimerId id = timer_start(5, [](TimerId self) {
        if (++calls == 3) {
            timer_kill(self);
            self_killed = self;
        }
    });
    ASSERT_NE(id, 0u);
    wait_up_to_2s([] { return self_killed != 0; });
    EXPECT_EQ(self_killed.load(), id);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls.load(), 3);
    // A new timer gets a new id and joins the old thread.
    const TimerId next = timer_start(5, [](TimerId) {});
    EXPECT_NE(next, id);
    timer_kill(next);
}

}  // namespace
