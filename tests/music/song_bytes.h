#pragma once
// Standard MIDI Files built byte by byte, and the table read back as records.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "music/song.h"

using Bytes = std::vector<uint8_t>;

template <class T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Four id bytes, a big-endian length, the data.
inline Bytes chunk(const char* id, const Bytes& data) {
    const auto n = static_cast<uint32_t>(data.size());
    return Bytes{uint8_t(id[0]), uint8_t(id[1]), uint8_t(id[2]), uint8_t(id[3]), uint8_t(n >> 24), uint8_t(n >> 16),
                 uint8_t(n >> 8), uint8_t(n)} + data;
}
inline Bytes header(uint8_t format, uint8_t division_hi, uint8_t division_lo) {
    return chunk("MThd", {0, format, 0, 1, division_hi, division_lo});
}
inline Bytes track(const Bytes& events) { return chunk("MTrk", events); }

struct Record {
    int32_t time;
    uint32_t message;
    bool operator==(const Record&) const = default;
};
inline void PrintTo(const Record& r, std::ostream* os) {
    *os << "{" << r.time << ", 0x" << std::hex << r.message << std::dec << "}";
}
// The message's three bytes in file order.
inline Record rec(int32_t time, uint32_t status, uint32_t first, uint32_t second) {
    return {time, status | first << 8 | second << 16};
}
inline std::vector<Record> table() {
    std::vector<Record> out;
    for (int32_t i = 0; i < music_event_count; ++i) out.push_back({music_events[i].time, music_events[i].message});
    return out;
}
