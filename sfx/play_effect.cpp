// Mixing an effect: the file is read afresh on every play, its header tested
// field by field, and its samples added into the ring from the play position
// on, one 4096-byte chunk at a time through read_buffer. Nothing is kept
// between plays and nothing is allocated.

#include "sfx/play_effect.h"

#include <cstdio>

#include "platform/files.h"
#include "sfx/effect_stream.h"

uint32_t effect_samples_mixed = 0;

namespace {

// The header is read 4 bytes at a time into one field buffer. A read cut
// short by the end of the file leaves the bytes it did not get as they were,
// and the tests judge whatever the buffer then holds.
bool read_field(std::FILE* f, uint8_t* field) { return std::fread(field, 1, 4, f) == 4; }

bool has_letters(const uint8_t* field, const char* letters, int count) {
    for (int i = 0; i < count; ++i)
        if (field[i] != static_cast<uint8_t>(letters[i])) return false;
    return true;
}

int32_t signed32(const uint8_t* b) {
    return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 |
                                uint32_t{b[3]} << 24);
}

// Bytes we do not want are read one at a time and dropped; the file is never
// repositioned. False when the file ends first: a chunk that claims two
// gigabytes must not keep the frame reading nothing for seconds.
bool skip_bytes(std::FILE* f, int64_t count) {
    for (; count > 0; --count)
        if (std::fgetc(f) == EOF) return false;
    return true;
}

// Offsets 0 to 35 and the rest of the format chunk. Returns 0 to 3 when the
// data may be mixed, else the code of the first test that failed.
int32_t read_header(std::FILE* f, uint8_t* field) {
    read_field(f, field);
    if (!has_letters(field, "RIF", 3)) return effect_no_riff;
    read_field(f, field);  // RIFF length, not used
    read_field(f, field);
    if (!has_letters(field, "WAV", 3)) return effect_no_wave;
    read_field(f, field);
    if (!has_letters(field, "fmt", 3)) return effect_no_format_first;
    read_field(f, field);
    const int64_t format_length = signed32(field);
    read_field(f, field);  // format tag, channel count
    if (field[0] != 1) return effect_not_pcm;
    int32_t code = field[2] == 2 ? effect_ok : effect_not_two_channels;
    read_field(f, field);  // sample rate
    if ((field[0] | field[1] << 8) != 11025) code += effect_not_11025;
    read_field(f, field);  // bytes per second, not used
    read_field(f, field);  // block alignment, bits per sample
    if (field[2] != 16) return effect_not_16_bits;
    // A format chunk declared shorter than 16 bytes skips nothing.
    if (!skip_bytes(f, format_length - 16)) return effect_no_data;
    return code;
}

// Pass over chunks up to the one tagged "data" and read its length into
// field. False when the file ends first. No pad byte follows an odd chunk.
bool find_data(std::FILE* f, uint8_t* field) {
    for (;;) {
        if (!read_field(f, field)) return false;
        if (has_letters(field, "data", 4)) return read_field(f, field);
        if (!read_field(f, field)) return false;
        if (!skip_bytes(f, signed32(field))) return false;
    }
}

// A frame is two channels of 16 bits; the stream has one, so a frame gives
// the average of its two at its recorded amplitude.
int32_t frame_value(const uint8_t* b) {
    const int32_t left = static_cast<int16_t>(b[0] | b[1] << 8);
    const int32_t right = static_cast<int16_t>(b[2] | b[3] << 8);
    return (left + right) / 2;
}

int16_t saturate(int32_t sum) {
    if (sum > 32767) return 32767;
    if (sum < -32767) return -32767;  // never -32768, so the ring stays symmetric
    return static_cast<int16_t>(sum);
}

// Only this thread adds, but the refill clears concurrently: the exchange
// makes sure a sample the refill has just cleared is not put back with its
// old value (which would play it twice).
void mix_sample(std::atomic<int16_t>& sample, int32_t value) {
    int16_t old = sample.load(std::memory_order_relaxed);
    while (!sample.compare_exchange_weak(old, saturate(old + value), std::memory_order_relaxed)) {
    }
}

// ⌊n / 4⌋ ring samples from position at on, wrapping at the end of the ring.
void mix_chunk(const uint8_t* bytes, uint32_t n, uint32_t at) {
    for (uint32_t i = 0; i + 4 <= n; i += 4, ++at)
        mix_sample(sample_ring[at & ring_mask], frame_value(bytes + i));
}

// Full chunks of 4096 bytes, then the last 1 to 4096; a file that holds less
// than length mixes only what it holds. Returns the ring samples mixed.
uint32_t mix_data(std::FILE* f, int32_t length) {
    // Read once: the refill may move on meanwhile, and the effect stays where
    // it began.
    uint32_t at = play_pos.load(std::memory_order_acquire);
    uint32_t mixed = 0;
    int64_t left = length;  // a negative length mixes nothing
    while (left > 0) {
        const uint32_t want = left > read_buffer_bytes ? read_buffer_bytes : static_cast<uint32_t>(left);
        const auto got = static_cast<uint32_t>(std::fread(read_buffer, 1, want, f));
        mix_chunk(read_buffer, got, at);
        at += got / 4;
        mixed += got / 4;
        if (got < want) break;
        left -= want;
    }
    return mixed;
}

}  // namespace

int32_t play_effect(const char16_t* name) {
    char16_t path[media_path_capacity];
    if (!media_path(name, path)) {
        effect_samples_mixed = 0;
        return effect_not_opened;
    }
    return play_effect_file(path);
}

int32_t play_effect_file(const char16_t* path) {
    effect_samples_mixed = 0;
    if (!effects_open.load(std::memory_order_relaxed)) return effect_not_opened;
    // Reading only: the game may well sit where the player cannot write.
    std::FILE* f = file_open(path, "rb");
    if (!f) return effect_not_opened;
    uint8_t field[4] = {0, 0, 0, 0};
    int32_t code = read_header(f, field);
    if (effect_playable(code) && !find_data(f, field)) code = effect_no_data;
    if (effect_playable(code)) effect_samples_mixed = mix_data(f, signed32(field));
    std::fclose(f);
    return code;
}
