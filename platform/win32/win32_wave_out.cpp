// The effect stream's device: waveOut on the default output, 11025 Hz mono
// 16-bit, with the block and its header in movable global memory.
//
// waveOutWrite must not be called from inside the system's CALLBACK_FUNCTION
// notification (it can deadlock in the audio driver), yet the game refills
// and requeues its one block when the block is done. So the notification only
// counts the finished block and sets an event; a relay thread of ours wakes
// on it and runs the game's callback once per finished block, in order, one
// at a time. Closing the device stops that thread after it has delivered
// every notice it was given, so no callback runs once wave_out_close returns.

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

#include "platform/wave_out.h"

namespace {

struct Stream {
    HWAVEOUT device = nullptr;
    WaveCallback callback = nullptr;
    HANDLE wake = nullptr;            // auto-reset: set by each notice and by close
    HANDLE relay = nullptr;           // the thread that runs the callback
    std::atomic<LONG> finished{0};    // notices not yet relayed
    std::atomic<bool> closing{false};
    HGLOBAL header_memory = nullptr;
    WAVEHDR* header = nullptr;
};

Stream* stream_of(WaveDevice device) { return static_cast<Stream*>(device); }

// On the system's audio thread. SetEvent is one of the few calls allowed here.
void CALLBACK notice(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
    if (message != WOM_DONE) return;
    Stream* s = reinterpret_cast<Stream*>(instance);
    s->finished.fetch_add(1, std::memory_order_release);
    SetEvent(s->wake);
}

DWORD WINAPI relay_main(void* param) {
    Stream* s = static_cast<Stream*>(param);
    for (;;) {
        WaitForSingleObject(s->wake, INFINITE);
        // Each counted notice is one finished block: one callback apiece.
        while (s->finished.load(std::memory_order_acquire) > 0) {
            s->finished.fetch_sub(1, std::memory_order_acq_rel);
            s->callback(s);
        }
        if (s->closing.load(std::memory_order_acquire)) return 0;
    }
}

void free_locked(void* p) {
    HGLOBAL h = GlobalHandle(p);
    if (!h) return;
    GlobalUnlock(h);
    GlobalFree(h);
}

void destroy(Stream* s) {
    if (s->relay) {
        s->closing.store(true, std::memory_order_release);
        SetEvent(s->wake);
        WaitForSingleObject(s->relay, INFINITE);
        CloseHandle(s->relay);
    }
    if (s->wake) CloseHandle(s->wake);
    if (s->header) free_locked(s->header);
    delete s;
}

}  // namespace

WaveDevice wave_out_open(WaveCallback callback) {
    Stream* s = new Stream;
    s->callback = callback;
    s->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    s->relay = s->wake ? CreateThread(nullptr, 0, relay_main, s, 0, nullptr) : nullptr;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 11025;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 11025 * 2;
    format.cbSize = 0;
    if (!s->relay || waveOutOpen(&s->device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(notice),
                                 reinterpret_cast<DWORD_PTR>(s), CALLBACK_FUNCTION | WAVE_ALLOWSYNC) !=
                         MMSYSERR_NOERROR) {
        destroy(s);
        return nullptr;
    }
    return s;
}

// Movable memory, locked for as long as the stream lives.
void* wave_block_alloc(std::size_t bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    return h ? GlobalLock(h) : nullptr;
}

void wave_block_free(void* block) {
    if (block) free_locked(block);
}

bool wave_out_prepare(WaveDevice device, void* block, std::size_t bytes) {
    Stream* s = stream_of(device);
    s->header_memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(WAVEHDR));
    if (!s->header_memory) return false;
    s->header = static_cast<WAVEHDR*>(GlobalLock(s->header_memory));
    if (!s->header) return false;
    ZeroMemory(s->header, sizeof(WAVEHDR));
    s->header->lpData = static_cast<LPSTR>(block);
    s->header->dwBufferLength = static_cast<DWORD>(bytes);
    s->header->dwFlags = 0;
    return waveOutPrepareHeader(s->device, s->header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

bool wave_out_write(WaveDevice device) {
    Stream* s = stream_of(device);
    return waveOutWrite(s->device, s->header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

void wave_out_reset(WaveDevice device) { waveOutReset(stream_of(device)->device); }

// The header stays prepared for the stream's life and goes with the device.
void wave_out_close(WaveDevice device) {
    Stream* s = stream_of(device);
    waveOutClose(s->device);
    destroy(s);
}
