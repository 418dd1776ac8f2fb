// waxdrop-media song [--summary] FILE: the table the game would build from a
// song file, record by record, or in brief with how long one pass lasts and
// which channels play.

#include <cstdio>
#include <cstring>
#include <string>

#include "music/song.h"
#include "platform/os/utf.h"
#include "tools/media/media_tool.h"

namespace {

// The game sends a record in the first 10 ms timer call whose clock has
// passed its time, never before the record ahead of it, and starts again one
// call after the last. So one pass lasts as many calls as the last record needs.
double loop_seconds() {
    long long call = 1;
    for (int32_t i = 0; i < music_event_count; ++i) {
        const long long t = music_events[i].time;
        const long long due = t < 0 ? 1 : t / 10 + 1;
        if (due > call) call = due;
    }
    return static_cast<double>(call) * 10 / 1000.0;
}

void print_channels() {
    bool used[16] = {};
    for (int32_t i = 0; i < music_event_count; ++i) {
        const uint32_t status = music_events[i].message & 0xFF;
        if (status >= 0x80 && status < 0xF0) used[status & 0x0F] = true;
    }
    std::printf("channels");
    bool any = false;
    for (int c = 0; c < 16; ++c)
        if (used[c]) {
            std::printf(" %d", c + 1);
            any = true;
        }
    std::printf(any ? "\n" : " none\n");
}

}  // namespace

int media_song(int argc, char** argv) {
    bool summary = false;
    const char* file = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--summary") == 0 && !summary) summary = true;
        else if (!file) file = argv[i];
        else file = nullptr, i = argc;
    }
    if (!file || argc != (summary ? 2 : 1)) {
        std::fprintf(stderr, "usage: waxdrop-media song [--summary] FILE\n");
        return 2;
    }
    if (std::FILE* probe = std::fopen(file, "rb")) {
        std::fclose(probe);
    } else {
        std::fprintf(stderr, "waxdrop-media: cannot read %s\n", file);
        return 1;
    }

    music_event_count = 0;
    const bool result = load_song_file(utf8_to_utf16(file).c_str());
    std::printf("result %s\ncount %d\n", result ? "true" : "false", music_event_count);
    if (summary) {
        std::printf("length %.2f s\n", loop_seconds());
        print_channels();
    } else {
        for (int32_t i = 0; i < music_event_count; ++i) {
            const uint32_t m = music_events[i].message;
            std::printf("%d %02X %02X %02X\n", music_events[i].time, m & 0xFF, m >> 8 & 0xFF, m >> 16 & 0xFF);
        }
    }
    return result ? 0 : 1;
}
