#include "tools/gen_images/image_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

using Bytes = std::vector<uint8_t>;

void put8(Bytes& out, int v) { out.push_back(static_cast<uint8_t>(v & 0xFF)); }
void put16(Bytes& out, int v) {
    put8(out, v);
    put8(out, v >> 8);
}
void put32(Bytes& out, uint32_t v) {
    put16(out, static_cast<int>(v & 0xFFFF));
    put16(out, static_cast<int>(v >> 16));
}

bool save(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int row_bytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// BITMAPINFOHEADER; height is doubled in icons, where the AND mask follows.
void put_info_header(Bytes& out, int width, int height, int bits, uint32_t image_size, int colours) {
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);  // BI_RGB
    put32(out, image_size);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, static_cast<uint32_t>(colours));
    put32(out, 0);
}

void put_palette(Bytes& out, const Rgb* palette, int count) {
    for (int i = 0; i < count; ++i) {
        put8(out, palette[i].b);
        put8(out, palette[i].g);
        put8(out, palette[i].r);
        put8(out, 0);
    }
}

// Pixel rows bottom-up from per-pixel palette indexes (4 or 8 bits).
void put_index_rows(Bytes& out, const std::vector<int>& indexes, int width, int height, int bits) {
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(row_bytes(width, bits)), 0);
        for (int x = 0; x < width; ++x) {
            int index = indexes[static_cast<std::size_t>(y * width + x)];
            if (bits == 8) row[static_cast<std::size_t>(x)] = static_cast<uint8_t>(index);
            else row[static_cast<std::size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

void put_file_header(Bytes& out, uint32_t file_size, uint32_t data_offset) {
    put8(out, 'B');
    put8(out, 'M');
    put32(out, file_size);
    put32(out, 0);
    put32(out, data_offset);
}

}  // namespace

bool write_bmp24(const std::string& path, const Picture& picture) {
    const int stride = row_bytes(picture.width, 24);
    const uint32_t image_size = static_cast<uint32_t>(stride * picture.height);
    Bytes out;
    put_file_header(out, 54 + image_size, 54);
    put_info_header(out, picture.width, picture.height, 24, image_size, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& c = picture.at(x, y);
            row[static_cast<std::size_t>(x * 3)] = c.b;
            row[static_cast<std::size_t>(x * 3 + 1)] = c.g;
            row[static_cast<std::size_t>(x * 3 + 2)] = c.r;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return save(path, out);
}

bool write_bmp4(const std::string& path, const Picture& picture, const Rgb (&palette)[16]) {
    std::vector<int> indexes;
    for (const Rgb& c : picture.pixels) {
        int found = -1;
        for (int i = 0; i < 16 && found < 0; ++i)
            if (palette[i] == c) found = i;
        if (found < 0) return false;
        indexes.push_back(found);
    }
    const uint32_t image_size = static_cast<uint32_t>(row_bytes(picture.width, 4) * picture.height);
    const uint32_t offset = 54 + 16 * 4;
    Bytes out;
    put_file_header(out, offset + image_size, offset);
    put_info_header(out, picture.width, picture.height, 4, image_size, 16);
    put_palette(out, palette, 16);
    put_index_rows(out, indexes, picture.width, picture.height, 4);
    return save(path, out);
}

namespace {

bool opaque(const Rgba& p) { return p.a >= 128; }

Rgb rgb_of(const Rgba& p) { return {p.r, p.g, p.b}; }

// Up to 255 colours for an 8-bit image: its own colours, made coarser a bit
// at a time until they fit. Entry 0 stays black for the transparent pixels.
std::vector<Rgb> palette_for(const IconPicture& picture) {
    for (int drop = 0;; ++drop) {
        const int mask = 0xFF & ~((1 << drop) - 1);
        std::vector<uint32_t> keys;
        for (const Rgba& p : picture.pixels)
            if (opaque(p)) keys.push_back(uint32_t(p.r & mask) << 16 | uint32_t(p.g & mask) << 8 | uint32_t(p.b & mask));
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        if (keys.size() > 255) continue;
        std::vector<Rgb> palette(256);
        for (std::size_t i = 0; i < keys.size(); ++i)
            palette[i + 1] = {uint8_t(keys[i] >> 16), uint8_t(keys[i] >> 8), uint8_t(keys[i])};
        return palette;
    }
}

void put_and_mask(Bytes& out, const IconPicture& picture) {
    const int n = picture.size;
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(row_bytes(n, 1)), 0);
        for (int x = 0; x < n; ++x)
            if (!opaque(picture.at(x, y))) row[static_cast<std::size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

Bytes icon_image_32(const IconPicture& picture) {
    const int n = picture.size;
    Bytes out;
    put_info_header(out, n, 2 * n, 32, static_cast<uint32_t>(n * n * 4 + row_bytes(n, 1) * n), 0);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const Rgba& p = picture.at(x, y);
            // Fully transparent pixels carry no colour.
            put8(out, p.a ? p.b : 0);
            put8(out, p.a ? p.g : 0);
            put8(out, p.a ? p.r : 0);
            put8(out, p.a);
        }
    put_and_mask(out, picture);
    return out;
}

Bytes icon_image_indexed(const IconPicture& picture, int bits, const std::vector<Rgb>& palette) {
    const int n = picture.size;
    const int colours = 1 << bits;
    std::vector<int> indexes;
    for (const Rgba& p : picture.pixels)
        indexes.push_back(opaque(p) ? nearest_entry(palette.data(), colours, rgb_of(p)) : 0);
    Bytes out;
    put_info_header(out, n, 2 * n, bits, static_cast<uint32_t>((row_bytes(n, bits) + row_bytes(n, 1)) * n), 0);
    put_palette(out, palette.data(), colours);
    put_index_rows(out, indexes, n, n, bits);
    put_and_mask(out, picture);
    return out;
}

}  // namespace

bool write_ico(const std::string& path, const std::vector<IconEntry>& entries, const Rgb (&palette16)[16]) {
    std::vector<Bytes> images;
    for (const IconEntry& e : entries) {
        if (e.bits == 32) images.push_back(icon_image_32(*e.picture));
        else if (e.bits == 8) images.push_back(icon_image_indexed(*e.picture, 8, palette_for(*e.picture)));
        else images.push_back(icon_image_indexed(*e.picture, 4, std::vector<Rgb>(palette16, palette16 + 16)));
    }
    Bytes out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<int>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int n = entries[i].picture->size;
        put8(out, n == 256 ? 0 : n);
        put8(out, n == 256 ? 0 : n);
        put8(out, entries[i].bits == 4 ? 16 : 0);
        put8(out, 0);
        put16(out, 1);
        put16(out, entries[i].bits);
        put32(out, static_cast<uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
    return save(path, out);
}
