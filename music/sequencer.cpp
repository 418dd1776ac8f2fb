#include "music/sequencer.h"

#include "music/song.h"
#include "platform/midi_out.h"

bool music_open = false;
std::atomic<bool> music_running{false};
std::atomic<bool> music_stopped{true};
int32_t music_clock = 0;
int32_t music_position = 0;

namespace {

constexpr uint32_t tick_period_ms = 10;
constexpr int32_t ticks_per_call = 10;

// Whether start_song got a timer. Without one nobody would ever set
// music_stopped, so stop_music must not wait for it. Window thread only.
bool music_timer_made = false;

}  // namespace

void open_music() {
    if (music_open) close_music();
    // Both are asked for even when the first fails; only both together count as open.
    const bool output = midi_out_open();
    const bool resolution = timer_begin_period(tick_period_ms);
    music_open = output && resolution;
}

void close_music() {
    stop_music();
    timer_end_period(tick_period_ms);
    midi_out_close();
    music_open = false;
}

void stop_music() {
    if (music_open && music_running.load(std::memory_order_acquire)) {
        const bool was_stopped = music_stopped.load(std::memory_order_acquire);
        music_running.store(false, std::memory_order_release);
        if (!was_stopped && music_timer_made)
            while (!music_stopped.load(std::memory_order_acquire)) sleep_ms(tick_period_ms);
        music_stopped.store(true, std::memory_order_release);
        music_timer_made = false;
    }
    // The timer is gone now, so the table and the position are ours again.
    // The clock keeps its last value.
    music_position = 0;
    music_event_count = 0;
}

void music_tick(TimerId id) {
    if (!music_running.load(std::memory_order_acquire)) {
        timer_kill(id);
        silence_channels();
        return;
    }
    music_clock += ticks_per_call;
    // Strictly in table order: a record not yet due holds back everything behind it.
    while (music_position < music_event_count && music_events[music_position].time < music_clock) {
        ++music_position;
        midi_out_short(music_events[music_position - 1].message);
    }
    if (music_position >= music_event_count) {
        music_clock = 0;
        music_position = 0;
    }
}

void silence_channels() {
    for (uint32_t channel = 0; channel < 16; ++channel) {
        midi_out_short(0x78B0 + channel);  // All Sound Off
        midi_out_short(0x7BB0 + channel);  // All Notes Off
    }
    // Only after the last message: the window thread closes the output once it sees this.
    music_stopped.store(true, std::memory_order_release);
}

void start_song() {
    if (!music_open) return;
    stop_music();
    if (!load_song()) return;
    // All of this before the timer exists; the release store publishes the table.
    music_position = 0;
    music_clock = 0;
    music_stopped.store(false, std::memory_order_release);
    music_running.store(true, std::memory_order_release);
    music_timer_made = timer_start(tick_period_ms, music_tick) != 0;
}

void shutdown_music() {
    if (music_open) close_music();
}
