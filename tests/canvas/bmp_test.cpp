// The bitmap and icon readers over files built byte by byte, and the
// committed sprite images and icons, read as the game and Windows read them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/soft/bmp.h"
#include "platform/soft/ico.h"
#include "tests/support/test_support.h"

namespace {

const std::string resources = WAXDROP_SOURCE_DIR "/resources/";

void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
int u16_at(const std::vector<uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
long u32_at(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<long>(u16_at(b, at) | static_cast<unsigned long>(u16_at(b, at + 2)) << 16);
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

const struct { const char* name; int width, height, bits; } sprite_files[] = {
    {"paddle.bmp", 64, 16, 24}, {"comb.bmp", 32, 16, 24}, {"bee_a.bmp", 32, 16, 24},
    {"bee_b.bmp", 32, 16, 4},   {"bullet.bmp", 8, 16, 4},  {"ball.bmp", 24, 24, 24}};

}  // namespace

TEST(ImageFiles, DecodeBottomUpRowsPalettesAndAlpha) {
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

    // An icon's image: rows bottom-up too, each pixel B, G, R, A. The game's
    // icon holds its 32 x 32 32-bit image first, the pixels after its header
    // at 102; its top-left pixel is clear.
    std::vector<uint8_t> icon = read_file(resources + "icons/waxdrop.ico");
    put(icon, 102 + 40, 0x44332211, 4);
    ASSERT_TRUE(decode_ico(icon.data(), icon.size(), 32, image, error)) << error;
    EXPECT_EQ(image.pixels.at(31 * 32), 0x44332211u);
    EXPECT_EQ(image.pixels[0], 0u);
}

// Damaged or unreadable files are refused with a reason and no pixels: edge 0
// reads the bytes as a BMP, any other as that size's image of an icon.
TEST(ImageFiles, RefuseWhatTheyCannotReadWithAReason) {
    std::vector<uint8_t> truncated = bmp(8, 8, 24);
    truncated.resize(truncated.size() - 1);
    std::vector<uint8_t> not_bm = bmp(2, 2, 24);
    not_bm[0] = 'X';
    std::vector<uint8_t> rle = bmp(2, 2, 8);
    put(rle, 30, 1, 4);
    std::vector<uint8_t> far_offset = bmp(2, 2, 24);
    put(far_offset, 10, 0xFFFFFFF0u, 4);
    const std::vector<uint8_t> file = read_file(resources + "icons/waxdrop.ico");
    auto edited = [&](size_t at, uint32_t v, int bytes) {
        std::vector<uint8_t> b = file;
        put(b, at, v, bytes);
        return b;
    };
    const size_t first = 102;  // the 32 x 32 32-bit image's header
    const struct { const char* what; std::vector<uint8_t> bytes; int edge; } cases[] = {
        {"empty", {}, 0},
        {"truncated pixels", truncated, 0},
        {"no signature", not_bm, 0},
        {"compressed", rle, 0},
        {"huge", bmp(1, 100000, 24), 0},
        {"zero width", bmp(0, 2, 24), 0},
        {"odd depth", bmp(2, 2, 16), 0},
        {"pixel offset past the end", far_offset, 0},
        {"empty icon", {}, 32},
        {"cut in its directory", std::vector<uint8_t>(file.begin(), file.begin() + 40), 32},
        {"cut in its first image", std::vector<uint8_t>(file.begin(), file.begin() + 2000), 32},
        {"a cursor file", edited(2, 2, 2), 32},
        {"no such size", file, 48},
        {"no 32-bit image of that size", edited(12, 24, 2), 32},
        {"image offset past the end", edited(18, 0xFFFFFFF0u, 4), 32},
        {"image length past the end", edited(14, 0xFFFFFFF0u, 4), 32},
        {"header bigger than the image", edited(first, 0x10000, 4), 32},
        {"header width not the entry's", edited(first + 4, 16, 4), 32},
        {"compressed icon image", edited(first + 16, 3, 4), 32},
        {"PNG inside", edited(first, 0x474E5089, 4), 32},
        {"pixels past the image", edited(14, 40 + 32 * 32 * 4 - 1, 4), 32},
    };
    for (const auto& c : cases) {
        Image image;
        std::string error;
        EXPECT_FALSE(c.edge ? decode_ico(c.bytes.data(), c.bytes.size(), c.edge, image, error)
                            : decode_bmp(c.bytes.data(), c.bytes.size(), image, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }
}

// The sprites are drawn with OR: black must be exactly black at the corners,
// the sprite itself must show, and no pixel may be a faint near-black tint.
TEST(Assets, SpriteBitmapsHaveTheirSizesFormatsAndBlackSurroundings) {
    for (const auto& f : sprite_files) {
        SCOPED_TRACE(f.name);
        const std::string path = resources + "bitmaps/" + f.name;
        const std::vector<uint8_t> bytes = read_file(path);
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(u16_at(bytes, 28), f.bits);
        EXPECT_EQ(u32_at(bytes, 30), 0);  // BI_RGB
        Image image;
        std::string error;
        ASSERT_TRUE(load_bmp_file(path.c_str(), image, error)) << error;
        ASSERT_EQ(image.width, f.width);
        ASSERT_EQ(image.height, f.height);
        const int w = f.width, h = f.height;
        for (int corner : {0, w - 1, (h - 1) * w, h * w - 1}) EXPECT_EQ(image.pixels[corner], 0u);
        EXPECT_NE(image.pixels[(h / 2) * w + w / 2], 0u);
        for (uint32_t p : image.pixels) {
            const uint32_t brightest = std::max({p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF});
            EXPECT_TRUE(p == 0 || brightest >= 40) << std::hex << p;
        }
    }
}

// Each icon file holds 32 x 32 and 16 x 16 at 4, 8 and 32 bits, each image
// inside the file with a header of twice its height (colours and AND mask),
// and reads as the game reads it.
TEST(Assets, IconsHoldBothSizesAtThreeDepthsAndACellOnAPoint) {
    for (const char* name : {"waxdrop.ico", "waxdrop_small.ico"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> b = read_file(resources + "icons/" + name);
        ASSERT_GE(b.size(), 6u + 6 * 16);
        EXPECT_EQ(u16_at(b, 0), 0);
        EXPECT_EQ(u16_at(b, 2), 1);
        ASSERT_EQ(u16_at(b, 4), 6);
        std::set<std::pair<int, int>> found;
        Image image;
        std::string error;
        for (std::size_t i = 0; i < 6; ++i) {
            const std::size_t e = 6 + 16 * i;
            const int size = b[e], bits = u16_at(b, e + 6);
            EXPECT_EQ(b[e + 1], size);
            EXPECT_EQ(b[e + 2], bits == 4 ? 16 : 0);
            EXPECT_EQ(u16_at(b, e + 4), 1);
            const long length = u32_at(b, e + 8), offset = u32_at(b, e + 12);
            const long mask = (size + 31) / 32 * 4 * size;
            const long colours = bits == 32 ? 0 : (4L << bits) + (size * bits + 31) / 32 * 4 * size;
            EXPECT_EQ(length, 40 + colours + (bits == 32 ? 4L * size * size : 0) + mask);
            ASSERT_LE(static_cast<std::size_t>(offset + length), b.size());
            EXPECT_EQ(u32_at(b, offset + 4), size);
            EXPECT_EQ(u32_at(b, offset + 8), 2 * size);
            EXPECT_EQ(u16_at(b, offset + 14), bits);
            found.insert({size, bits});
            if (bits != 32) continue;
            // A honeycomb cell standing on a point: its corners clear and its
            // middle opaque.
            ASSERT_TRUE(decode_ico(b.data(), b.size(), size, image, error)) << size << ": " << error;
            ASSERT_EQ(image.width, size);
            ASSERT_EQ(image.pixels.size(), static_cast<size_t>(size) * size);
            EXPECT_EQ(image.pixels[0] >> 24, 0u);
            EXPECT_EQ(image.pixels.back() >> 24, 0u);
            EXPECT_EQ(image.pixels[static_cast<size_t>(size / 2) * size + size / 2] >> 24, 0xFFu);
        }
        EXPECT_TRUE(load_ico_file((resources + "icons/" + name).c_str(), 32, image, error)) << error;
        const std::set<std::pair<int, int>> wanted = {{32, 4}, {32, 8}, {32, 32}, {16, 4}, {16, 8}, {16, 32}};
        EXPECT_EQ(found, wanted);
    }
}
