#pragma once
// A picture in memory, as the software canvas's readers hand it over. Any thread.

#include <cstdint>
#include <string>
#include <vector>

// width x height pixels, top row first, rows without padding. Each reader
// says what its pixels hold: 0x00RRGGBB for a bitmap, 0xAARRGGBB for an icon.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// The whole file at path, for a reader to decode; false (with the reason)
// when it cannot be opened.
bool read_image_file(const char* path, std::vector<uint8_t>& bytes, std::string& error);
