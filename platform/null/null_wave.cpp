#include "platform/null/null_wave.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

NullWave null_wave;

namespace {

std::mutex wave_lock;

WaveDevice device_handle() { return &null_wave; }

// Calls the callback outside the lock: the callback writes to the device.
void deliver(WaveCallback callback) {
    if (callback) callback(device_handle());
}

}  // namespace

void reset_null_wave() {
    std::lock_guard<std::mutex> hold(wave_lock);
    null_wave = NullWave{};
}

bool null_wave_block_done() {
    WaveCallback callback = nullptr;
    {
        std::lock_guard<std::mutex> hold(wave_lock);
        if (!null_wave.is_open || !null_wave.queued) return false;
        null_wave.queued = false;
        callback = null_wave.callback;
    }
    deliver(callback);
    return true;
}

WaveDevice wave_out_open(WaveCallback callback) {
    std::lock_guard<std::mutex> hold(wave_lock);
    ++null_wave.opens;
    if (null_wave.fail_open) return nullptr;
    null_wave.is_open = true;
    null_wave.queued = false;
    null_wave.callback = callback;
    return device_handle();
}

void* wave_block_alloc(std::size_t bytes) {
    std::lock_guard<std::mutex> hold(wave_lock);
    if (null_wave.fail_block_alloc) return nullptr;
    ++null_wave.blocks_allocated;
    return std::malloc(bytes);
}

void wave_block_free(void* block) {
    std::lock_guard<std::mutex> hold(wave_lock);
    ++null_wave.blocks_freed;
    std::free(block);
}

bool wave_out_prepare(WaveDevice device, void* block, std::size_t bytes) {
    std::lock_guard<std::mutex> hold(wave_lock);
    ++null_wave.prepares;
    if (device != device_handle() || !null_wave.is_open || null_wave.fail_prepare) return false;
    null_wave.block = block;
    null_wave.block_bytes = bytes;
    return true;
}

bool wave_out_write(WaveDevice device) {
    std::lock_guard<std::mutex> hold(wave_lock);
    ++null_wave.writes;
    if (device != device_handle() || !null_wave.is_open || !null_wave.block || null_wave.fail_write)
        return false;
    if (null_wave.queued) ++null_wave.writes_while_queued;
    null_wave.queued = true;
    if (null_wave.record_blocks) {
        std::vector<int16_t> copy(null_wave.block_bytes / 2);
        std::memcpy(copy.data(), null_wave.block, copy.size() * 2);
        null_wave.written.push_back(std::move(copy));
    }
    return true;
}

void wave_out_reset(WaveDevice) {
    WaveCallback callback = nullptr;
    {
        std::lock_guard<std::mutex> hold(wave_lock);
        ++null_wave.resets;
        if (!null_wave.is_open || !null_wave.queued) return;
        null_wave.queued = false;
        callback = null_wave.callback;
    }
    deliver(callback);  // the block comes back as played
}

void wave_out_close(WaveDevice) {
    std::lock_guard<std::mutex> hold(wave_lock);
    ++null_wave.closes;
    if (!null_wave.is_open) return;
    null_wave.is_open = false;
    null_wave.callback = nullptr;
    null_wave.block = nullptr;
}
