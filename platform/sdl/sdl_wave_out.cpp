// The effect stream's wave output on Linux: an SDL audio device at 11025 Hz,
// mono, 16 bits, asking for 2048 samples at a time. Its callback hands the
// one queued block to SDL and at once reports the block done, so the game
// refills and queues it again from inside the callback: the blocks reach the
// speaker in exactly the order the game queued them. When no block is
// queued the device plays silence.

#include "platform/wave_out.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

struct Device {
    SDL_AudioDeviceID id = 0;
    WaveCallback callback = nullptr;
    const uint8_t* block = nullptr;
    size_t block_bytes = 0;
    size_t played = 0;     // bytes of the queued block already handed over
    bool queued = false;   // under the device lock
};

void feed(void* user, Uint8* stream, int len) {
    Device* d = static_cast<Device*>(user);
    size_t at = 0;
    const size_t want = static_cast<size_t>(len);
    while (at < want) {
        if (!d->queued || !d->block) {
            std::memset(stream + at, 0, want - at);
            return;
        }
        const size_t n = std::min(want - at, d->block_bytes - d->played);
        std::memcpy(stream + at, d->block + d->played, n);
        at += n;
        d->played += n;
        if (d->played == d->block_bytes) {
            d->queued = false;
            d->played = 0;
            d->callback(d);  // may queue the block again at once
        }
    }
}

}  // namespace

WaveDevice wave_out_open(WaveCallback callback) {
    if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    Device* d = new Device;
    d->callback = callback;
    SDL_AudioSpec want{};
    want.freq = 11025;
    want.format = AUDIO_S16LSB;
    want.channels = 1;
    want.samples = 2048;
    want.callback = feed;
    want.userdata = d;
    SDL_AudioSpec got{};
    // No changes allowed: SDL converts to whatever the device really plays.
    d->id = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
    if (d->id == 0) {
        delete d;
        return nullptr;
    }
    return d;
}

void* wave_block_alloc(std::size_t bytes) { return std::calloc(bytes, 1); }
void wave_block_free(void* block) { std::free(block); }

bool wave_out_prepare(WaveDevice device, void* block, std::size_t bytes) {
    Device* d = static_cast<Device*>(device);
    if (!d || !block || bytes == 0) return false;
    SDL_LockAudioDevice(d->id);
    d->block = static_cast<const uint8_t*>(block);
    d->block_bytes = bytes;
    d->played = 0;
    SDL_UnlockAudioDevice(d->id);
    return true;
}

bool wave_out_write(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d || !d->block) return false;
    // From inside feed the device lock is already held (SDL's lock is
    // recursive), so this is safe from both threads.
    SDL_LockAudioDevice(d->id);
    d->queued = true;
    SDL_UnlockAudioDevice(d->id);
    SDL_PauseAudioDevice(d->id, 0);
    return true;
}

void wave_out_reset(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d) return;
    // The block comes back with one more done notice, given under the device
    // lock so it never runs beside the device's own.
    SDL_LockAudioDevice(d->id);
    const bool was_queued = d->queued;
    d->queued = false;
    d->played = 0;
    if (was_queued) d->callback(d);
    SDL_UnlockAudioDevice(d->id);
}

void wave_out_close(WaveDevice device) {
    Device* d = static_cast<Device*>(device);
    if (!d) return;
    // SDL_CloseAudioDevice waits for the device thread: no callback after it.
    SDL_CloseAudioDevice(d->id);
    delete d;
}
