#pragma once
// The default wave output: 16-bit mono PCM at 11025 Hz, played one block at a
// time. Opened, reset and closed on the window thread; the done callback runs
// on a thread of the device's own.

#include <cstddef>
#include <cstdint>

constexpr uint32_t wave_open_notice = 955;   // WOM_OPEN
constexpr uint32_t wave_close_notice = 956;  // WOM_CLOSE
constexpr uint32_t wave_done_notice = 957;   // WOM_DONE

using WaveDevice = void*;
// Called by the device for each notice; for wave_done_notice the queued block
// has finished playing and may be refilled and queued again from inside it.
using WaveCallback = void (*)(WaveDevice device, uint32_t message, uintptr_t instance,
                              uintptr_t param1, uintptr_t param2);

// Open the default output at 11025 Hz, mono, 16 bits; null when it cannot.
WaveDevice wave_out_open(WaveCallback callback);
// Memory the device may play from, kept for as long as the stream is open.
void* wave_block_alloc(std::size_t bytes);
void wave_block_free(void* block);
// Describe the one block (bytes long) that will be queued again and again.
bool wave_out_prepare(WaveDevice device, void* block, std::size_t bytes);
// Queue the prepared block; the device notifies when it has been played.
bool wave_out_write(WaveDevice device);
// Stop playing and hand the queued block back with one more done notice.
void wave_out_reset(WaveDevice device);
// Close the device; no notice is delivered after this returns.
void wave_out_close(WaveDevice device);
