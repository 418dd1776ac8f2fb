// Any bytes read as a song load without reading outside what the file held
// (AddressSanitizer watches the track buffers), keep the table within its
// 4096 records, and store only channel messages and tempo records.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "music/song.h"
#include "platform/os/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/waxdrop-fuzz-song-" + std::to_string(::getpid()) + ".mid";
    static const std::u16string path16 = utf8_to_utf16(path);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    music_event_count = 0;
    load_song_file(path16.c_str());
    if (music_event_count < 0 || music_event_count > 4096) std::abort();
    for (int i = 0; i < music_event_count; ++i) {
        const uint32_t message = music_events[i].message;
        const uint32_t status = message & 0xFF;
        const bool channel = status >= 0x80 && status <= 0xEF;
        const bool tempo = status == 0xFF && ((message >> 8) & 0xFF) == 0x51;
        if ((!channel && !tempo) || (message >> 24) != 0) std::abort();
    }
    return 0;
}
