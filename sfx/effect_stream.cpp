// The effect stream: one block queued with the wave device at all times,
// refilled from the sample ring each time it has played.
//
// The window thread (open, close, play_effect) and the device's thread (the
// refill) share the ring, the play position and the open flag without a
// lock. The hand-offs:
//  - Open fills every buffer before it raises effects_open; the refill tests
//    the flag first, so it only ever sees finished buffers.
//  - A refill announces itself in in_block_done before it tests the flag, and
//    close lowers the flag before it looks at in_block_done. So either the
//    refill sees the flag down and touches nothing, or close sees the refill
//    and waits for it before the device is reset and the buffers are freed.
//  - Each ring sample is atomic: play_effect adds with a compare-exchange,
//    the refill copies and clears sample by sample (see refill_block).

#include "sfx/effect_stream.h"

#include <chrono>
#include <cstring>
#include <new>
#include <thread>

static_assert(std::atomic<int16_t>::is_always_lock_free, "the ring must not hide a lock");
static_assert(std::atomic<uint32_t>::is_always_lock_free, "play_pos must not hide a lock");

std::atomic<bool> effects_open{false};
std::atomic<int16_t>* sample_ring = nullptr;
std::atomic<uint32_t> play_pos{0};
uint8_t* read_buffer = nullptr;
int16_t* block_buffer = nullptr;

namespace {

WaveDevice wave_out = nullptr;
// Refills under way on the device's thread.
std::atomic<int32_t> in_block_done{0};

// How long close waits for a refill under way: a refill is a few
// microseconds, so a second means the device's thread is stuck.
constexpr int drain_attempts = 1000;

bool wait_for_refills() {
    for (int i = 0; i < drain_attempts; ++i) {
        if (in_block_done.load(std::memory_order_acquire) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return in_block_done.load(std::memory_order_acquire) == 0;
}

bool take_buffers() {
    block_buffer = static_cast<int16_t*>(wave_block_alloc(block_bytes));
    sample_ring = new (std::nothrow) std::atomic<int16_t>[ring_samples];
    read_buffer = new (std::nothrow) uint8_t[read_buffer_bytes];
    if (!block_buffer || !sample_ring || !read_buffer) return false;
    std::memset(block_buffer, 0, block_bytes);
    for (uint32_t i = 0; i < ring_samples; ++i) sample_ring[i].store(0, std::memory_order_relaxed);
    return true;
}

// Stop the device and give everything back. The flag is already down.
void release_stream() {
    // A refill that passed its flag test just before the flag fell may still
    // queue the block; let it, so that the reset below hands the block back
    // and nothing is left queued with a closed device.
    const bool drained_before = wait_for_refills();
    if (wave_out) {
        wave_out_reset(wave_out);  // its done notice finds the flag down
        wave_out_close(wave_out);
    }
    // A device may still be inside the reset's notice on its own thread.
    const bool drained_after = wait_for_refills();
    if (!drained_before || !drained_after) {
        // A refill is stuck in the device: better to leave it the buffers
        // than to free them under it.
        return;
    }
    wave_out = nullptr;
    if (block_buffer) wave_block_free(block_buffer);
    delete[] sample_ring;
    delete[] read_buffer;
    block_buffer = nullptr;
    sample_ring = nullptr;
    read_buffer = nullptr;
}

// Copy the stretch at play_pos into the block and clear it. Copy and clear
// go sample by sample, so a sample play_effect adds at that very moment is
// either copied (heard now), or lands after the clear (heard one turn of the
// ring later), or, in the instant between a sample's copy and its clear, is
// lost; it is never torn, and a value already copied is never played twice.
void refill_block() {
    const uint32_t pos = play_pos.load(std::memory_order_relaxed);  // only we write it
    for (uint32_t i = 0; i < block_samples; ++i) {
        std::atomic<int16_t>& sample = sample_ring[(pos + i) & ring_mask];
        block_buffer[i] = sample.load(std::memory_order_relaxed);
        sample.store(0, std::memory_order_relaxed);
    }
    const uint32_t next = pos + block_samples;
    // Release: an effect that reads the new position also sees the stretch
    // behind it cleared, so its own additions there are never wiped.
    play_pos.store(next >= ring_samples ? 0 : next, std::memory_order_release);
}

}  // namespace

void open_effects() {
    if (effects_open.load(std::memory_order_relaxed)) close_effects();

    wave_out = wave_out_open(effects_block_done);
    const bool ready = take_buffers() && wave_out &&
                       wave_out_prepare(wave_out, block_buffer, block_bytes);
    if (ready) {
        // The flag goes up before the first write, not after: a device that
        // finished the first (silent) block before this thread raised the
        // flag would find it down, and the stream would stop right there.
        effects_open.store(true, std::memory_order_seq_cst);
        if (wave_out_write(wave_out)) return;
        effects_open.store(false, std::memory_order_seq_cst);
    }
    // Something did not open: give back what did, and run silent.
    release_stream();
}

void close_effects() {
    if (!effects_open.load(std::memory_order_relaxed)) return;
    effects_open.store(false, std::memory_order_seq_cst);
    release_stream();
}

void effects_block_done(WaveDevice) {
    in_block_done.fetch_add(1, std::memory_order_seq_cst);
    if (effects_open.load(std::memory_order_seq_cst)) {
        refill_block();
        wave_out_write(wave_out);  // a failed queue ends the notices; nothing to do about it here
    }
    in_block_done.fetch_sub(1, std::memory_order_release);
}
