#pragma once
// Effect files built byte by byte, so that each test names the header field
// or length it is about.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void put(Bytes& out, uint32_t v, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(v >> 8 * i));
}
inline void put(Bytes& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }
inline void put(Bytes& out, const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); }

inline Bytes chunk(const std::string& tag, int32_t length, const Bytes& body = {}) {
    Bytes out;
    put(out, tag);
    put(out, static_cast<uint32_t>(length), 4);
    put(out, body);
    return out;
}

// Frames of two 16-bit channels.
inline Bytes frames(const std::vector<std::pair<int16_t, int16_t>>& lr) {
    Bytes out;
    for (auto [l, r] : lr) put(out, uint32_t{static_cast<uint16_t>(l)} | uint32_t{static_cast<uint16_t>(r)} << 16, 4);
    return out;
}
inline Bytes flat_frames(size_t count, int16_t value) {
    return frames(std::vector<std::pair<int16_t, int16_t>>(count, {value, value}));
}

struct WavBytes {
    std::string riff = "RIFF", wave = "WAVE", format_tag_name = "fmt ";
    int32_t format_length = 16;
    uint16_t format_tag = 1, channels = 2, bits = 16;
    uint32_t rate = 11025;
    Bytes after_format;                  // after the 16 standard format bytes, before "data"
    std::optional<int32_t> data_length;  // else the length of data
    Bytes data;

    Bytes bytes() const {
        Bytes out;
        // The RIFF length, bytes per second and block alignment are never read.
        for (const std::string& tag : {riff, std::string(4, '\0'), wave, format_tag_name}) put(out, tag);
        const std::pair<uint32_t, int> fields[] = {{static_cast<uint32_t>(format_length), 4}, {format_tag, 2},
            {channels, 2}, {rate, 4}, {rate * channels * bits / 8, 4}, {channels * bits / 8u, 2}, {bits, 2}};
        for (auto [v, size] : fields) put(out, v, size);
        put(out, after_format);
        put(out, chunk("data", data_length.value_or(static_cast<int32_t>(data.size())), data));
        return out;
    }
};
