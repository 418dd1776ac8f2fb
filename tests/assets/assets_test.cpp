// The committed sprite images and icons, read as the game and Windows read them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "platform/soft/bmp.h"
#include "tests/support/test_support.h"

namespace {

const std::string resources = WAXDROP_SOURCE_DIR "/resources/";

int u16_at(const std::vector<uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
long u32_at(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<long>(u16_at(b, at) | static_cast<unsigned long>(u16_at(b, at + 2)) << 16);
}

struct SpriteFile {
    const char* name;
    int width, height, bits;
};

const SpriteFile sprite_files[] = {{"paddle.bmp", 64, 16, 24}, {"comb.bmp", 32, 16, 24},
                                   {"bee_a.bmp", 32, 16, 24},  {"bee_b.bmp", 32, 16, 4},
                                   {"bullet.bmp", 8, 16, 4},   {"ball.bmp", 24, 24, 24}};

// The sprites are drawn with OR: black must be exactly black at the corners,
// the sprite itself must show, and no pixel may be a faint near-black tint.
TEST(assets_tests, sprite_bitmaps_have_their_sizes_formats_and_black_surroundings) {
    for (const SpriteFile& f : sprite_files) {
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
// inside the file with a header of twice its height (colours and AND mask).
TEST(assets_tests, icons_hold_both_sizes_at_three_depths) {
    for (const char* name : {"waxdrop.ico", "waxdrop_small.ico"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> b = read_file(resources + "icons/" + name);
        ASSERT_GE(b.size(), 6u + 6 * 16);
        EXPECT_EQ(u16_at(b, 0), 0);
        EXPECT_EQ(u16_at(b, 2), 1);
        ASSERT_EQ(u16_at(b, 4), 6);
        std::set<std::pair<int, int>> found;
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
        }
        const std::set<std::pair<int, int>> wanted = {{32, 4}, {32, 8}, {32, 32}, {16, 4}, {16, 8}, {16, 32}};
        EXPECT_EQ(found, wanted);
    }
}

}  // namespace
