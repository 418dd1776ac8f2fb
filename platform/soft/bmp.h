#pragma once
// Reading the game's sprite bitmaps: Windows BMP files, uncompressed, with 1,
// 4, 8, 24 or 32 bits per pixel, bottom-up or top-down. Any thread.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/soft/image.h"

// Decode a whole BMP file held in memory into pixels 0x00RRGGBB. On failure returns false and says
// why in error; image is left empty.
bool decode_bmp(const uint8_t* data, std::size_t size, Image& image, std::string& error);
// Read and decode a BMP file.
bool load_bmp_file(const char* path, Image& image, std::string& error);
