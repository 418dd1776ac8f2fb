#include "platform/soft/bmp.h"

#include <cstdio>

namespace {

uint32_t le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

bool fail(std::string& error, const char* why, Image& image) {
    error = why;
    image = Image{};
    return false;
}

}  // namespace

bool decode_bmp(const uint8_t* data, std::size_t size, Image& image, std::string& error) {
    image = Image{};
    if (size < 14 + 40) return fail(error, "file too short for a BMP header", image);
    if (data[0] != 'B' || data[1] != 'M') return fail(error, "no BM signature", image);
    const uint32_t pixel_offset = le(data + 10, 4);
    const uint32_t header_size = le(data + 14, 4);
    if (header_size < 40 || header_size > size - 14) return fail(error, "unsupported info header", image);
    const int32_t width = static_cast<int32_t>(le(data + 18, 4));
    const int32_t raw_height = static_cast<int32_t>(le(data + 22, 4));
    const uint32_t bits = le(data + 28, 2);
    const uint32_t compression = le(data + 30, 4);
    uint32_t colours_used = le(data + 46, 4);
    if (compression != 0) return fail(error, "compressed bitmaps are not supported", image);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return fail(error, "unsupported bits per pixel", image);
    // Sprites and icons are small; anything huge is a damaged file.
    if (width <= 0 || width > 4096 || raw_height == 0 || raw_height < -4096 || raw_height > 4096)
        return fail(error, "bitmap size out of range", image);
    const bool top_down = raw_height < 0;
    const int height = top_down ? -raw_height : raw_height;

    std::vector<uint32_t> palette;
    if (bits <= 8) {
        const uint32_t max_colours = 1u << bits;
        if (colours_used == 0 || colours_used > max_colours) colours_used = max_colours;
        const std::size_t palette_at = 14 + header_size;
        if (palette_at + 4ull * colours_used > size) return fail(error, "palette runs past the end", image);
        for (uint32_t i = 0; i < colours_used; ++i) palette.push_back(le(data + palette_at + 4 * i, 3));
    }
    const std::size_t row_bytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixel_offset > size || row_bytes * static_cast<std::size_t>(height) > size - pixel_offset)
        return fail(error, "pixel data runs past the end", image);

    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = data + pixel_offset + row_bytes * static_cast<std::size_t>(row);
        const int y = top_down ? row : height - 1 - row;
        uint32_t* dst = &image.pixels[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            uint32_t index = 0;
            switch (bits) {
                case 32: dst[x] = le(src + 4 * x, 3); continue;
                case 24: dst[x] = le(src + 3 * x, 3); continue;
                case 8: index = src[x]; break;
                case 4: index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
                default: index = (src[x / 8] >> (7 - x % 8)) & 1; break;
            }
            dst[x] = index < palette.size() ? palette[index] : 0;
        }
    }
    return true;
}

bool load_bmp_file(const char* path, Image& image, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!read_image_file(path, bytes, error)) return false;
    return decode_bmp(bytes.data(), bytes.size(), image, error);
}
