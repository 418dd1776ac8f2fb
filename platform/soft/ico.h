#pragma once
// Reading the game's window icon: one square 32-bit image (alpha included)
// out of a Windows ICO file, as the Linux shell gives it to the window and
// the About box. Any thread.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/soft/image.h"

// Decode the first image of edge x edge pixels and 32 bits per pixel from a
// whole ICO file held in memory, into pixels 0xAARRGGBB (straight alpha),
// top row first. Other sizes and depths in the file are skipped. On failure
// returns false and says why in error; image is left empty.
bool decode_ico(const uint8_t* data, std::size_t size, int edge, Image& image, std::string& error);
// Read an ICO file and decode its edge x edge 32-bit image.
bool load_ico_file(const char* path, int edge, Image& image, std::string& error);
