#include "music/song.h"

#include <cstdio>
#include <cstdlib>

#include "platform/files.h"

MusicEvent music_events[music_event_capacity];
int32_t music_event_count = 0;

void add_music_event(int32_t time, uint8_t status, uint8_t first, uint8_t second) {
    if (music_event_count >= music_event_capacity) return;
    music_events[music_event_count].time = time;
    music_events[music_event_count].message =
        static_cast<uint32_t>(status) | static_cast<uint32_t>(first) << 8 | static_cast<uint32_t>(second) << 16;
    ++music_event_count;
}

namespace {

// What one load has learnt from the header so far, and where the clock stands.
// Tracks that come before any header see format 0 and no ticks per quarter.
struct SongReader {
    int format = 0;
    int32_t ticks_per_quarter = 0;
    bool smpte = false;
    int32_t running_time = 0;
};

enum class ChunkResult { read, cut_short, rejected };

// One track's data in memory. Every take checks the length, so an event that
// runs off the end is noticed instead of reading past the buffer.
struct TrackData {
    const uint8_t* bytes;
    uint32_t length;
    uint32_t pos = 0;
    uint8_t status = 0;  // running status; 0 means none yet in this track
    bool ended = false;

    bool take(uint8_t& b) {
        if (pos >= length) return false;
        b = bytes[pos++];
        return true;
    }
    // A variable-length quantity of any number of bytes, kept to 32 bits.
    bool take_quantity(uint32_t& value) {
        uint8_t b;
        if (!take(b)) return false;
        value = b & 0x7Fu;
        while (b & 0x80) {
            if (!take(b)) return false;
            value = value * 128 + (b & 0x7Fu);
        }
        return true;
    }
    bool pass_over(uint32_t n) {
        if (n > length - pos) return false;
        pos += n;
        return true;
    }
    // A quantity n and then n bytes; a length that is not positive as a
    // signed number skips nothing.
    bool pass_over_counted() {
        uint32_t n;
        if (!take_quantity(n)) return false;
        return static_cast<int32_t>(n) <= 0 || pass_over(n);
    }
};

// The game never changes speed with the tempo: the record only tells a
// listening device the file's ticks per 10 ms, and only when that is known.
void add_tempo_record(const SongReader& r, uint32_t tempo) {
    if (r.smpte || tempo == 0 || r.ticks_per_quarter <= 0) return;
    const int32_t per_10ms = static_cast<int32_t>(r.ticks_per_quarter * 10.0 / (tempo / 1000.0));
    add_music_event(r.running_time, 0xFF, 0x51, static_cast<uint8_t>(per_10ms & 0xFF));
}

bool parse_meta(TrackData& t, const SongReader& r) {
    uint8_t type;
    if (!t.take(type)) return false;
    switch (type) {
        case 0x2F:
            if (!t.pass_over(1)) return false;
            t.ended = true;
            return true;
        case 0x51: {
            uint8_t b[4];
            for (uint8_t& x : b)
                if (!t.take(x)) return false;
            add_tempo_record(r, static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3]);
            return true;
        }
        // The fixed sizes are trusted; the file's own length byte is not read.
        case 0x54: return t.pass_over(6);
        case 0x58: return t.pass_over(5);
        default: return t.pass_over_counted();
    }
}

// One event; false when it runs past the track's data, which drops it. A
// delta time read whole has been counted by then.
bool parse_event(TrackData& t, SongReader& r) {
    uint32_t delta;
    if (!t.take_quantity(delta)) return false;
    r.running_time = static_cast<int32_t>(static_cast<uint32_t>(r.running_time) + delta);
    if (t.pos < t.length && (t.bytes[t.pos] & 0x80)) t.status = t.bytes[t.pos++];

    uint8_t first = 0, second = 0;
    switch (t.status >> 4) {
        case 0x8: case 0x9: case 0xA: case 0xB: case 0xE:
            if (!t.take(first) || !t.take(second)) return false;
            break;
        case 0xC: case 0xD:
            if (!t.take(first)) return false;
            break;
        case 0xF:
            return t.status == 0xFF ? parse_meta(t, r) : t.pass_over_counted();
        default:
            // No status yet: the next byte starts the next event's delta time.
            return true;
    }
    add_music_event(r.running_time, t.status, first, second);
    return true;
}

bool read_length(std::FILE* f, uint32_t& length) {
    uint8_t b[4];
    if (std::fread(b, 1, 4, f) < 4) return false;
    // The top byte is never looked at.
    length = static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
    return true;
}

ChunkResult read_header(std::FILE* f, SongReader& r) {
    uint32_t length;
    if (!read_length(f, length)) return ChunkResult::cut_short;
    if (length < 6) return ChunkResult::rejected;
    uint8_t format_and_tracks[4];
    if (std::fread(format_and_tracks, 1, 4, f) < 4) return ChunkResult::cut_short;
    // Only the format's low byte counts; the track count is never used.
    if (format_and_tracks[1] > 1) return ChunkResult::rejected;
    r.format = format_and_tracks[1];
    uint8_t division[2];
    if (std::fread(division, 1, 2, f) < 2) return ChunkResult::cut_short;
    if (division[0] & 0x80) {
        r.smpte = true;
    } else {
        r.ticks_per_quarter = division[0] * 256 + division[1];
        r.smpte = false;
    }
    for (uint32_t i = 6; i < length; ++i)
        if (std::fgetc(f) == EOF) break;
    return ChunkResult::read;
}

ChunkResult read_track(std::FILE* f, SongReader& r) {
    uint32_t length;
    if (!read_length(f, length)) return ChunkResult::cut_short;
    auto* bytes = static_cast<uint8_t*>(std::malloc(length ? length : 1));
    if (!bytes) return ChunkResult::cut_short;
    if (std::fread(bytes, 1, length, f) < length) {
        std::free(bytes);
        return ChunkResult::cut_short;
    }
    // Format 1 tracks each start from zero; format 0 keeps one clock for the file.
    if (r.format == 1) r.running_time = 0;
    TrackData t{bytes, length};
    while (t.pos < t.length && !t.ended)
        if (!parse_event(t, r)) break;
    std::free(bytes);
    return ChunkResult::read;
}

// Chunks are told apart by the third byte of their id alone, and an id that
// is neither is not skipped by its length: the next four bytes are tried as
// an id in turn.
bool read_chunks(std::FILE* f) {
    SongReader r;
    for (;;) {
        uint8_t id[4];
        if (std::fread(id, 1, 4, f) < 4) return true;
        ChunkResult result = ChunkResult::read;
        if (id[2] == 'h') result = read_header(f, r);
        else if (id[2] == 'r') result = read_track(f, r);
        if (result == ChunkResult::rejected) return false;
        if (result == ChunkResult::cut_short || std::feof(f)) return true;
    }
}

}  // namespace

bool load_song() {
    char16_t path[media_path_capacity];
    if (!media_path(u"song.mid", path)) return true;
    return load_song_file(path);
}

bool load_song_file(const char16_t* path) {
    // Opened for reading only, so the music plays wherever the game's folder
    // is read-only to the player.
    std::FILE* f = file_open(path, "rb");
    if (!f) return true;
    const bool result = read_chunks(f);
    std::fclose(f);
    return result;
}
