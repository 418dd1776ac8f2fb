#pragma once
// The default wave output: 16-bit mono PCM at 11025 Hz, played one block at a
// time. Opened, reset and closed on the window thread; the done callback runs
// on a thread of the device's own.

#include <cstddef>
#include <cstdint>

using WaveDevice = void*;
// Called once for each block the device has finished with (played, or handed
// back by a reset), in the order they were queued, never two at once; the
// block may be refilled and queued again from inside it. On Win32 this is
// WOM_DONE, relayed to a thread of ours because waveOutWrite must not be
// called from inside the system's own notification.
using WaveCallback = void (*)(WaveDevice device);

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
