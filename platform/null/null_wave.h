#pragma once
// A wave device driven by hand. It records every block queued (a copy of the
// block at each write) and counts the calls; nothing plays until the test
// says a block is done with null_wave_block_done, from whichever thread it likes.
// The port's functions lock the device's state, so a test may notify from
// one thread while another opens, writes and closes; read the struct only
// while no other thread is using the device.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/wave_out.h"

struct NullWave {
    // Set by the test.
    bool fail_open = false;
    bool fail_block_alloc = false;
    bool fail_prepare = false;
    bool fail_write = false;
    bool record_blocks = true;  // keep a copy of the block at each write

    // Read by the test.
    bool is_open = false;
    bool queued = false;  // a block is with the device, waiting to be played
    WaveCallback callback = nullptr;
    void* block = nullptr;  // as prepared
    std::size_t block_bytes = 0;
    int opens = 0, prepares = 0, writes = 0, resets = 0, closes = 0;
    int blocks_allocated = 0, blocks_freed = 0;
    int writes_while_queued = 0;  // a real device refuses these
    std::vector<std::vector<int16_t>> written;  // the block's samples at each write
};
extern NullWave null_wave;

void reset_null_wave();
// The queued block has played: hand it back and call the open device's
// callback, as the device's own thread would. False (nothing delivered) when
// no block is queued or no device is open.
bool null_wave_block_done();
