#pragma once
// The sound-effect stream: one wave output that runs for the whole game, fed
// block by block from a ring of samples that play_effect mixes into.

#include <atomic>
#include <cstdint>

#include "platform/wave_out.h"

// True while the stream runs; the game tests it before every play_effect.
extern std::atomic<bool> effects_open;

// Window thread: open the default wave output and start the silent stream;
// close it again. Both may be called in either state.
void open_effects();
void close_effects();

// The device's thread: one block has finished playing; refill it from the
// ring and queue it again.
void effects_block_done(WaveDevice device);

// Sizes: one block is 2048 samples (185.8 ms), the ring 32 blocks (5.94 s).
constexpr uint32_t block_samples = 2048;
constexpr uint32_t block_bytes = block_samples * 2;
constexpr uint32_t ring_samples = 65536;
constexpr uint32_t ring_mask = ring_samples - 1;
constexpr uint32_t read_buffer_bytes = 4096;

// Sound still to be played, ring positions 0 to 65535. Added to by
// play_effect (window thread), copied out and cleared by the refill (device's
// thread); each sample is atomic so neither side ever sees half of the
// other's write. Null while the stream is closed.
extern std::atomic<int16_t>* sample_ring;
// Ring position of the next block to be copied out: 0, 2048, ..., 63488.
// Written only by the refill (release), read once per effect (acquire).
extern std::atomic<uint32_t> play_pos;
// play_effect's 4096-byte buffer for sample data. Window thread only.
extern uint8_t* read_buffer;
// The one 4096-byte block handed to the device. Device's thread only, once
// the stream runs.
extern int16_t* block_buffer;
