#pragma once
// Writing pictures as PNG files (8-bit RGB), for snapshots and the docs.

#include <cstdint>
#include <string>

// pixels are 0x00RRGGBB, width x height, top row first.
bool write_png(const std::string& path, const uint32_t* pixels, int width, int height);
