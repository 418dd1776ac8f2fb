#pragma once
// Effect files built byte by byte, so that each test says exactly which
// header field or length it is about.

#include <cstdint>
#include <string>
#include <vector>

struct WavBytes {
    std::string riff = "RIFF";
    std::string wave = "WAVE";
    std::string format_tag_name = "fmt ";
    int32_t format_length = 16;
    uint16_t format_tag = 1;
    uint16_t channels = 2;
    uint32_t rate = 11025;
    uint16_t bits = 16;
    std::vector<uint8_t> format_rest;  // written after the 16 standard bytes
    std::vector<uint8_t> chunks;       // written between the format and data chunks
    bool has_data_chunk = true;
    bool data_length_given = false;    // else the length of data
    int32_t data_length = 0;
    std::vector<uint8_t> data;

    std::vector<uint8_t> bytes() const;
};

// Frames of two 16-bit channels.
std::vector<uint8_t> frames(const std::vector<std::pair<int16_t, int16_t>>& lr);
// count frames, both channels value.
std::vector<uint8_t> flat_frames(size_t count, int16_t value);
// A chunk with tag and length, holding body.
std::vector<uint8_t> chunk(const std::string& tag, int32_t length, const std::vector<uint8_t>& body);
