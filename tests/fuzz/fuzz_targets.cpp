// The libFuzzer targets, one per reader of outside files; each build of this
// file names its target's function in WAXDROP_FUZZ_READER. Whatever the
// bytes, a reader must refuse them or read them within its rules;
// AddressSanitizer sees any read outside the file, the track buffers or the
// 4096-byte effect buffer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "music/song.h"
#include "platform/null/null_wave.h"
#include "platform/os/utf.h"
#include "platform/soft/bmp.h"
#include "platform/soft/ico.h"
#include "scores/score_file.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

namespace {

void require(bool rule) {
    if (!rule) std::abort();
}

// The bytes as this process's own file, for the readers that take a path.
std::u16string as_file(const uint8_t* data, size_t size, const char* suffix) {
    const std::string path = "/tmp/waxdrop-fuzz-" + std::to_string(::getpid()) + suffix;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    require(f != nullptr);
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    return utf8_to_utf16(path);
}

// Decoded, with no reason given, into exactly the size asked for (or, with
// none asked, the size it reports), or refused with a reason and no pixels.
void decoded_or_refused(bool ok, const Image& image, const std::string& error, int edge = 0) {
    require(ok == error.empty());
    if (!ok) return require(image.pixels.empty());
    require(edge == 0 || (image.width == edge && image.height == edge));
    require(image.pixels.size() == static_cast<size_t>(image.width) * image.height);
}

[[maybe_unused]] void fuzz_bmp(const uint8_t* data, size_t size) {
    Image image;
    std::string error;
    decoded_or_refused(decode_bmp(data, size, image, error), image, error);
}

[[maybe_unused]] void fuzz_ico(const uint8_t* data, size_t size) {
    for (int edge : {32, 16}) {
        Image image;
        std::string error;
        decoded_or_refused(decode_ico(data, size, edge, image, error), image, error, edge);
    }
}

// One of the result codes (4, not opened, cannot happen to a file just
// written), at most a ring sample per 4 bytes of the file, nothing mixed when
// they do not play; then the ring moves on.
[[maybe_unused]] void fuzz_effect(const uint8_t* data, size_t size) {
    if (!effects_open) {
        null_wave.record_blocks = false;
        open_effects();
    }
    const int32_t code = play_effect_file(as_file(data, size, ".wav").c_str());
    require((code >= 0 && code <= 3) || (code >= 10 && code <= 15));
    require(effect_playable(code) || effect_samples_mixed == 0);
    require(effect_samples_mixed <= size / 4);
    effects_block_done(nullptr);
}

// Three records or the defaults; a loaded table written back and read again
// is the same table.
[[maybe_unused]] void fuzz_scores(const uint8_t* data, size_t size) {
    ScoreTable table{};
    if (!decode_score_file(data, size, table)) {
        for (const ScoreEntry& e : table.entries)
            require(e.score == 0 && std::memcmp(e.name, u"open", 5 * sizeof(char16_t)) == 0);
        return;
    }
    uint8_t bytes[score_file_capacity];
    const int length = encode_score_file(table, bytes);
    ScoreTable again{};
    require(decode_score_file(bytes, static_cast<size_t>(length), again));
    require(std::memcmp(&table, &again, sizeof table) == 0);
}

// The table within its 4096 records, and only channel messages and tempo
// records stored.
[[maybe_unused]] void fuzz_song(const uint8_t* data, size_t size) {
    music_event_count = 0;
    load_song_file(as_file(data, size, ".mid").c_str());
    require(music_event_count >= 0 && music_event_count <= 4096);
    for (int i = 0; i < music_event_count; ++i) {
        const uint32_t message = music_events[i].message, status = message & 0xFF;
        const bool channel = status >= 0x80 && status <= 0xEF;
        const bool tempo = status == 0xFF && ((message >> 8) & 0xFF) == 0x51;
        require((channel || tempo) && (message >> 24) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WAXDROP_FUZZ_READER(data, size);
    return 0;
}
