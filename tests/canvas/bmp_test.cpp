#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/soft/bmp.h"

namespace {

void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A minimal BMP with the given header fields and zeroed pixels.
std::vector<uint8_t> bmp(int width, int height, int bits, uint32_t colours = 0) {
    const size_t palette = bits <= 8 ? 4u * (colours ? colours : 1u << bits) : 0;
    const size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t offset = 14 + 40 + palette;
    std::vector<uint8_t> b(offset + row * static_cast<size_t>(height < 0 ? -height : height), 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, static_cast<uint32_t>(b.size()), 4);
    put(b, 10, static_cast<uint32_t>(offset), 4);
    put(b, 14, 40, 4);
    put(b, 18, static_cast<uint32_t>(width), 4);
    put(b, 22, static_cast<uint32_t>(height), 4);
    put(b, 26, 1, 2);
    put(b, 28, static_cast<uint32_t>(bits), 2);
    put(b, 46, colours, 4);
    return b;
}

}  // namespace

TEST(Bmp, DecodesBottomUpRowsAndPalettes) {
    // 24-bit, 2 x 2, bottom-up: the first row in the file is the bottom row.
    std::vector<uint8_t> b = bmp(2, 2, 24);
    const size_t px = 54;
    put(b, px, 0x0000FF, 3);      // bottom-left: blue, stored B G R
    put(b, px + 8, 0xFF0000, 3);  // top-left (second row, 4-byte padded): red
    Image image;
    std::string error;
    ASSERT_TRUE(decode_bmp(b.data(), b.size(), image, error)) << error;
    EXPECT_EQ(image.pixels, std::vector<uint32_t>({0xFF0000, 0, 0x0000FF, 0}));

    // 4-bit: two pixels per byte, high nibble first, through the palette.
    std::vector<uint8_t> p = bmp(3, 1, 4, 16);
    put(p, 54 + 4 * 1, 0x123456, 4);
    put(p, 54 + 4 * 15, 0xABCDEF, 4);
    p[54 + 64] = 0x1F;
    p[54 + 65] = 0x10;
    ASSERT_TRUE(decode_bmp(p.data(), p.size(), image, error)) << error;
    EXPECT_EQ(image.pixels, std::vector<uint32_t>({0x123456, 0xABCDEF, 0x123456}));
}

TEST(Bmp, RefusesDamagedFilesWithAReason) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> truncated = bmp(8, 8, 24);
    truncated.resize(truncated.size() - 1);
    std::vector<uint8_t> not_bm = bmp(2, 2, 24);
    not_bm[0] = 'X';
    std::vector<uint8_t> rle = bmp(2, 2, 8);
    put(rle, 30, 1, 4);
    std::vector<uint8_t> far_offset = bmp(2, 2, 24);
    put(far_offset, 10, 0xFFFFFFF0u, 4);
    const Case cases[] = {
        {"empty", {}},
        {"truncated pixels", truncated},
        {"no signature", not_bm},
        {"compressed", rle},
        {"huge", bmp(1, 100000, 24)},
        {"zero width", bmp(0, 2, 24)},
        {"odd depth", bmp(2, 2, 16)},
        {"pixel offset past the end", far_offset},
    };
    for (const Case& c : cases) {
        Image image;
        std::string error;
        EXPECT_FALSE(decode_bmp(c.bytes.data(), c.bytes.size(), image, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }
}
