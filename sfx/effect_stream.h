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

// The device's thread: one block has finished playing (WOM_DONE); refill it
// from the ring and queue it again. Other notices are ignored.
void effects_block_done(WaveDevice device, uint32_t message, uintptr_t instance, uintptr_t param1,
                        uintptr_t param2);
