#include "platform/soft/ico.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::size_t directory_size = 6;
constexpr std::size_t entry_size = 16;
constexpr std::size_t info_header_size = 40;

uint32_t le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

bool fail(std::string& error, const std::string& why, Image& image) {
    error = why;
    image = Image{};
    return false;
}

// One image of the file: a BITMAPINFOHEADER, the colour rows bottom-up as
// B, G, R, A bytes, then the 1-bit mask, which the alpha makes unneeded.
// Everything read lies within the entry's own bytes.
bool decode_entry(const uint8_t* data, std::size_t size, const uint8_t* entry, int edge, Image& image,
                  std::string& error) {
    const std::size_t length = le(entry + 8, 4);
    const std::size_t offset = le(entry + 12, 4);
    if (offset > size || length > size - offset) return fail(error, "icon image runs past the end of the file", image);
    if (length < info_header_size) return fail(error, "icon image too short for its header", image);
    const uint8_t* p = data + offset;
    if (p[0] == 0x89 && p[1] == 'P' && p[2] == 'N' && p[3] == 'G')
        return fail(error, "PNG images inside icons are not supported", image);
    const std::size_t header_size = le(p, 4);
    if (header_size < info_header_size || header_size > length) return fail(error, "unsupported icon image header", image);
    // The height counts the mask too, so it is twice the edge.
    const int32_t width = static_cast<int32_t>(le(p + 4, 4));
    const int32_t height = static_cast<int32_t>(le(p + 8, 4));
    if (width != edge || height != 2 * edge) return fail(error, "icon image size differs from its directory entry", image);
    if (le(p + 14, 2) != 32) return fail(error, "icon image is not 32 bits per pixel", image);
    if (le(p + 16, 4) != 0) return fail(error, "compressed icon images are not supported", image);
    const std::size_t row_bytes = 4 * static_cast<std::size_t>(edge);
    if (row_bytes * edge > length - header_size) return fail(error, "icon pixels run past the image", image);

    image.width = edge;
    image.height = edge;
    image.pixels.assign(static_cast<std::size_t>(edge) * edge, 0);
    for (int row = 0; row < edge; ++row) {
        const uint8_t* src = p + header_size + row_bytes * static_cast<std::size_t>(row);
        uint32_t* dst = &image.pixels[static_cast<std::size_t>(edge - 1 - row) * edge];
        for (int x = 0; x < edge; ++x) dst[x] = le(src + 4 * x, 4);
    }
    return true;
}

}  // namespace

bool decode_ico(const uint8_t* data, std::size_t size, int edge, Image& image, std::string& error) {
    image = Image{};
    if (edge < 1 || edge > 256) return fail(error, "icon size out of range", image);
    if (size < directory_size) return fail(error, "file too short for an icon directory", image);
    if (le(data, 2) != 0 || le(data + 2, 2) != 1) return fail(error, "not an icon file", image);
    const std::size_t count = le(data + 4, 2);
    if (directory_size + entry_size * count > size) return fail(error, "icon directory runs past the end", image);
    // The directory gives 256 as 0.
    const uint32_t edge_byte = static_cast<uint32_t>(edge) & 0xFF;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + directory_size + entry_size * i;
        if (entry[0] == edge_byte && entry[1] == edge_byte && le(entry + 6, 2) == 32)
            return decode_entry(data, size, entry, edge, image, error);
    }
    const std::string side = std::to_string(edge);
    return fail(error, "no " + side + " x " + side + " image of 32 bits per pixel in the icon", image);
}

bool load_ico_file(const char* path, int edge, Image& image, std::string& error) {
    image = Image{};
    std::vector<uint8_t> bytes;
    if (!read_image_file(path, bytes, error)) return false;
    return decode_ico(bytes.data(), bytes.size(), edge, image, error);
}
