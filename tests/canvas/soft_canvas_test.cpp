#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/soft/soft_canvas.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint32_t red = rgb(200, 0, 0), blue = rgb(0, 0, 180), green = rgb(0, 90, 0);

// A w x h image of one colour with a black first column, so a wrong source
// offset shows as a black stripe where colour should be.
Image block(int w, int h, uint32_t colour) {
    Image image{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, colour)};
    for (int y = 0; y < h; ++y) image.pixels[static_cast<size_t>(y) * w] = 0;
    return image;
}

uint32_t back(int x, int y) { return soft_back_buffer()[y * field_width + x]; }
uint32_t window(int x, int y) { return soft_window_buffer()[y * field_width + x]; }

int count_colour(uint32_t colour) {
    int n = 0;
    for (int i = 0; i < field_width * field_height; ++i) n += soft_back_buffer()[i] == colour;
    return n;
}

class SoftCanvasTest : public testing::Test {
protected:
    void SetUp() override {
        soft_set_image(SpriteImage::ball, block(24, 24, red));
        soft_set_image(SpriteImage::comb, block(32, 16, blue));
        soft_set_image(SpriteImage::bee_a, block(32, 16, green));
        for (int i = 0; i < field_width * field_height; ++i) soft_back_buffer()[i] = rgb(1, 2, 3);
        canvas_clear();
    }
};

}  // namespace

TEST_F(SoftCanvasTest, SpritesMixByOr) {
    canvas_draw_sprite(SpriteImage::comb, 100, 100, 32, 16);
    canvas_draw_sprite(SpriteImage::bee_a, 110, 108, 32, 16);
    EXPECT_EQ(back(105, 104), blue);
    EXPECT_EQ(back(120, 110), blue | green);  // neither hides the other
    EXPECT_EQ(back(135, 120), green);
    EXPECT_EQ(back(100, 104), 0u);  // the image's black column stays transparent
    EXPECT_EQ(back(110, 104), blue);
}

// A 24 x 24 sprite drawn partly or wholly outside each edge: only the pixels
// inside the field change, and they come from the right part of the image.
// The clear before each leaves every pixel black.
TEST_F(SoftCanvasTest, BlitsAreClippedAtEveryEdge) {
    // visible: the coloured pixels expected in the field.
    const struct { int x, y, visible, size = 24; } cases[] = {
        {-2, 10, 22 * 24},   // left: image columns 2..23 show; its black column 0 is outside
        {630, 10, 10 * 24 - 24},  // right: 10 columns, the first black
        {100, -20, 23 * 4},  // top: 4 rows show
        {100, 430, 23 * 10}, // bottom: 10 rows show
        {-30, 10, 0},        // wholly outside
        {-12, -12, 12 * 12}, // corner: image columns and rows 12..23
        {650, 500, 0},
        {10, 10, 23 * 24, 64},  // asks for more than the image has: reads no further
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.size);
        canvas_clear();
        canvas_draw_sprite(SpriteImage::ball, c.x, c.y, c.size, c.size);
        EXPECT_EQ(count_colour(red), c.visible);
        EXPECT_EQ(count_colour(red) + count_colour(0), field_width * field_height);
    }
}

TEST_F(SoftCanvasTest, ScoreLineIsMagentaOnABlackBoxCentredAtTheTop) {
    std::string error;
    ASSERT_TRUE(soft_open_font("", error)) << error;
    ASSERT_GT(soft_line_height(), 15);
    ASSERT_LE(soft_line_height(), 22);
    for (int i = 0; i < field_width * field_height; ++i) soft_back_buffer()[i] = rgb(0, 200, 0);
    const char16_t* line = u"SCORE: 0         LEVEL: 1         BALLS: 3         BULLETS: 25";
    const int width = soft_text_width(line);
    ASSERT_GT(width, 300);
    ASSERT_LT(width, 640);
    canvas_draw_score_line(line);
    const int left = (field_width - width) / 2, right = left + width;

    int magenta = 0, other = 0;
    for (int y = 0; y < field_height; ++y)
        for (int x = 0; x < field_width; ++x) {
            const uint32_t p = back(x, y);
            const bool in_box = x >= left && x < right && y < soft_line_height();
            if (!in_box) {
                other += p != rgb(0, 200, 0);
                continue;
            }
            // Inside the box: black, or magenta as strong as the glyph covers.
            const uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
            EXPECT_EQ(g, 0u);
            EXPECT_EQ(r, b);
            magenta += p == hud_magenta;
        }
    EXPECT_EQ(other, 0) << "the box must not spill";  // nor leave the green showing inside it
    EXPECT_GT(magenta, 200);
    soft_close_font();
}

TEST_F(SoftCanvasTest, PresentCopiesOnlyThePaintRectangle) {
    canvas_draw_sprite(SpriteImage::ball, 0, 0, 24, 24);
    canvas_draw_sprite(SpriteImage::ball, 200, 200, 24, 24);
    canvas_present(PaintInfo{nullptr, {0, 0, 640, 440}});
    canvas_clear();
    canvas_draw_sprite(SpriteImage::comb, 200, 200, 32, 16);
    canvas_draw_sprite(SpriteImage::comb, 0, 0, 32, 16);
    canvas_present(PaintInfo{nullptr, {190, 190, 250, 230}});
    EXPECT_EQ(window(205, 205), blue);   // inside: the new frame
    EXPECT_EQ(window(5, 5), red);        // outside: still the old frame
    EXPECT_EQ(window(189, 205), 0u);
    const uint64_t before = soft_frame_requests();
    canvas_request_frame();
    EXPECT_EQ(soft_frame_requests(), before + 1);
    canvas_present(PaintInfo{nullptr, {-50, -50, 9000, 9000}});  // clipped, no overrun
    EXPECT_EQ(window(5, 5), blue);
}

// One bitmap gone or damaged in a copy of the game's folder: the load says
// which, and every other image is still there to draw.
TEST_F(SoftCanvasTest, EachImageLoadsByItself) {
    namespace fs = std::filesystem;
    const char* const files[] = {"paddle.bmp", "comb.bmp", "bee_a.bmp", "bee_b.bmp", "bullet.bmp", "ball.bmp"};
    for (int broken = 0; broken < sprite_image_count; ++broken) {
        SCOPED_TRACE(files[broken]);
        ScratchDir dir;
        fs::copy(WAXDROP_SOURCE_DIR "/resources/bitmaps", dir.path() + "/bitmaps");
        const std::string path = dir.path() + "/bitmaps/" + files[broken];
        if (broken % 2) write_file(path, {'B', 'M', 0});  // cut short
        else fs::remove(path);
        std::string error;
        EXPECT_FALSE(soft_load_images(dir.path() + "/bitmaps", error));
        EXPECT_NE(error.find(files[broken]), std::string::npos) << error;
        for (int i = 0; i < sprite_image_count; ++i) {
            canvas_clear();
            canvas_draw_sprite(static_cast<SpriteImage>(i), 100, 100, 64, 24);
            EXPECT_EQ(count_colour(0) < field_width * field_height, i != broken) << files[i];
        }
    }
}
