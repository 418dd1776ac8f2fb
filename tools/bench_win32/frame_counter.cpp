// Linked only into waxdrop-perf.exe, the game built from the same sources
// with the linker told to route every call of frame_step through here
// (--wrap): counts the frames and, when the program ends, writes
// "frames N ms M" (M from the first frame to the last), then one line
// "second S frames N" per second of the run, to frames.txt in the media
// folder. The game itself reads and writes nothing of the kind.

#include <windows.h>

#include <cstdio>

#include "game/frame.h"
#include "platform/files.h"

void real_frame_step(const PaintInfo& paint) asm("__real__Z10frame_stepRK9PaintInfo");
void counted_frame_step(const PaintInfo& paint) asm("__wrap__Z10frame_stepRK9PaintInfo");

namespace {

constexpr int max_seconds = 3600;

struct FrameCounter {
    unsigned long long frames = 0;
    DWORD first_tick = 0, last_tick = 0;
    unsigned per_second[max_seconds] = {};
    ~FrameCounter() {
        char16_t path[media_path_capacity];
        if (!media_path(u"frames.txt", path)) return;
        if (FILE* out = _wfopen(reinterpret_cast<const wchar_t*>(path), L"w")) {
            const DWORD ms = last_tick - first_tick;
            std::fprintf(out, "frames %llu ms %lu\n", frames, static_cast<unsigned long>(ms));
            for (DWORD s = 0; s <= ms / 1000 && s < max_seconds; ++s)
                std::fprintf(out, "second %lu frames %u\n", static_cast<unsigned long>(s), per_second[s]);
            std::fclose(out);
        }
    }
} counter;

}  // namespace

void counted_frame_step(const PaintInfo& paint) {
    const DWORD now = GetTickCount();
    if (counter.frames++ == 0) counter.first_tick = now;
    counter.last_tick = now;
    const DWORD second = (now - counter.first_tick) / 1000;
    if (second < max_seconds) ++counter.per_second[second];
    real_frame_step(paint);
}
