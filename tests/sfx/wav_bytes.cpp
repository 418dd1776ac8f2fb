#include "tests/sfx/wav_bytes.h"

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put_text(std::vector<uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

}  // namespace

std::vector<uint8_t> WavBytes::bytes() const {
    std::vector<uint8_t> out;
    put_text(out, riff);
    put32(out, 0);  // never read
    put_text(out, wave);
    put_text(out, format_tag_name);
    put32(out, static_cast<uint32_t>(format_length));
    put16(out, format_tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * channels * bits / 8);
    put16(out, static_cast<uint32_t>(channels * bits / 8));
    put16(out, bits);
    out.insert(out.end(), format_rest.begin(), format_rest.end());
    out.insert(out.end(), chunks.begin(), chunks.end());
    if (has_data_chunk) {
        put_text(out, "data");
        put32(out, static_cast<uint32_t>(data_length_given ? data_length : static_cast<int32_t>(data.size())));
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

std::vector<uint8_t> frames(const std::vector<std::pair<int16_t, int16_t>>& lr) {
    std::vector<uint8_t> out;
    for (auto [l, r] : lr) {
        put16(out, static_cast<uint16_t>(l));
        put16(out, static_cast<uint16_t>(r));
    }
    return out;
}

std::vector<uint8_t> flat_frames(size_t count, int16_t value) {
    return frames(std::vector<std::pair<int16_t, int16_t>>(count, {value, value}));
}

std::vector<uint8_t> chunk(const std::string& tag, int32_t length, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out;
    put_text(out, tag);
    put32(out, static_cast<uint32_t>(length));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}
