#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/draw.h"
#include "game/game_state.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_platform.h"

namespace {

class DrawTest : public testing::Test {
protected:
    void SetUp() override {
        reset_null_platform();
        reset_world();
        null_canvas = NullCanvas{};
        new_game();
    }
    void TearDown() override { reset_world(); }
};

std::vector<SpriteImage> bee_images() {
    std::vector<SpriteImage> out;
    for (const NullCanvas::Blit& b : null_canvas.blits)
        if (b.image == SpriteImage::bee_a || b.image == SpriteImage::bee_b) out.push_back(b.image);
    return out;
}

}  // namespace

TEST_F(DrawTest, StartUpFrameDrawsEverySpriteThenTheScoreLine) {
    draw_world();
    EXPECT_EQ(null_canvas.clears, 1);
    ASSERT_EQ(null_canvas.blits.size(), 1u + 1 + 80 + 5);
    // The paddle in the middle of its line, the ball served from y 200: the
    // generator's first two draws (41, 18467) give column 347 and no drift.
    const auto where = [](const NullCanvas::Blit& b) { return std::vector<int>{b.x, b.y, b.w, b.h}; };
    EXPECT_EQ(null_canvas.blits[0].image, SpriteImage::paddle);
    EXPECT_EQ(where(null_canvas.blits[0]), (std::vector<int>{320, 400, 64, 16}));
    EXPECT_EQ(null_canvas.blits[1].image, SpriteImage::ball);
    EXPECT_EQ(where(null_canvas.blits[1]), (std::vector<int>{347, 200, 24, 24}));
    EXPECT_EQ(null_canvas.blits[2].image, SpriteImage::comb);
    EXPECT_EQ(where(null_canvas.blits[2]), (std::vector<int>{608, 164, 32, 16}));
    EXPECT_EQ(null_canvas.score_line,
              u"SCORE: 0         LEVEL: 1         BALLS: 3         BULLETS: 25");
    for (SpriteImage image : bee_images()) EXPECT_EQ(image, SpriteImage::bee_a);
}

TEST_F(DrawTest, PositionsAreTruncatedTowardZero) {
    struct Case {
        float x, y;
        int px, py;
    };
    const Case cases[] = {{-2.7f, 10.9f, -2, 10}, {639.99f, -0.5f, 639, 0}, {-30.2f, -40.8f, -30, -40},
                          {1.0e12f, -1.0e12f, 1000000, -1000000}};
    for (const Case& c : cases) {
        Sprite s{c.x, c.y, 24, 24, 0, 0, nullptr, nullptr};
        null_canvas.blits.clear();
        draw_sprite(s, SpriteImage::ball);
        ASSERT_EQ(null_canvas.blits.size(), 1u);
        EXPECT_EQ(null_canvas.blits[0].x, c.px) << c.x;
        EXPECT_EQ(null_canvas.blits[0].y, c.py) << c.y;
    }
}

TEST_F(DrawTest, ScoreLineShowsExtremeCountersWhole) {
    game.score = -2147483647 - 1;
    game.level = 2147483647;
    game.balls = -1;
    game.bullets = 1000000000;
    char16_t line[score_line_capacity];
    const int n = format_score_line(line);
    EXPECT_EQ(std::u16string(line),
              u"SCORE: -2147483648         LEVEL: 2147483647         BALLS: -1         BULLETS: 1000000000");
    EXPECT_LT(n, score_line_capacity);
}
