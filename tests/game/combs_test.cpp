// Honeycombs: hits in the zone, several in one frame, and the end of a level
// in the frame after the last one fell.

#include "tests/game/game_fixture.h"

namespace {

class Combs : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        clear(bee_list);
    }
    void only_combs(std::initializer_list<std::pair<float, float>> places) {
        clear(comb_list);
        for (const auto& p : places) push_front(comb_list, p.first, p.second, comb_width, comb_height, 0, 0);
    }
};

TEST_F(Combs, ABallTouchingTwoCombsBreaksBothEvenWhilePaused) {
    // Straddling the columns at 0 and 32 of the lowest row (y 164 to 180).
    place_ball(20, 170, 3, -150);
    step();
    EXPECT_EQ(game.score, 2);
    EXPECT_EQ(heard(), (Heard{.brick = 2}));
    EXPECT_EQ(count(comb_list), 78);
    EXPECT_FLOAT_EQ(ball().vy, 150);  // sent down
    // Both were drawn in the frame they fell in.
    EXPECT_EQ(drawn(SpriteImage::comb), 80);
    step();
    EXPECT_EQ(drawn(SpriteImage::comb), 78);
}

TEST_F(Combs, ABallMovingDownKeepsItsSpeed) {
    place_ball(100, 170, 0, 150);
    step();
    EXPECT_EQ(game.score, 1);
    EXPECT_FLOAT_EQ(ball().vy, 150);
}

TEST_F(Combs, OnlyABallAboveTheZoneBottomBreaksCombs) {
    only_combs({{100, 200}});  // reaches down to 216, past the zone bottom 204
    place_ball(100, 204, 0, -100);
    step();
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(comb_list), 1);
    place_ball(100, 203.9f, 0, -100);
    step();
    EXPECT_EQ(game.score, 1);
    EXPECT_EQ(count(comb_list), 0);
}

TEST_F(Combs, TheLevelEndsInTheFrameAfterTheLastCombFell) {
    struct Case {
        int level;
        int32_t speed;
        int next_level;
        int32_t next_speed;
        int combs, bees, bullets;
    } cases[] = {
        {1, 200, 2, 225, 120, 5, 25},
        {2, 225, 3, 250, 120, 9, 25},
        {3, 250, 1, 300, 80, 5, 30},
    };
    for (const Case& c : cases) {
        game.level = c.level;
        game.ball_speed = c.speed;
        game.bullets = 25;
        game.score = 0;
        resume();
        only_combs({{100, 164}});
        place_ball(100, 170, 0, -200);
        step();
        EXPECT_EQ(game.score, 1);
        EXPECT_EQ(game.level, c.level);
        EXPECT_FALSE(game.paused);
        step();
        EXPECT_EQ(game.level, c.next_level);
        EXPECT_EQ(game.ball_speed, c.next_speed);
        EXPECT_TRUE(game.paused);
        EXPECT_EQ(count(comb_list), c.combs);
        EXPECT_EQ(count(bee_list), c.bees);
        EXPECT_EQ(game.bullets, c.bullets);
        EXPECT_FLOAT_EQ(ball().y, 200);
        EXPECT_FLOAT_EQ(ball().vy, static_cast<float>(c.next_speed));
        // The new bees are walked in that same frame; the new combs are not.
        EXPECT_EQ(drawn(SpriteImage::bee_a), c.bees);
        EXPECT_EQ(drawn(SpriteImage::comb), 0);
    }
}

TEST_F(Combs, PausingJustAfterTheLastCombMakesTheLevelEndResume) {
    resume();
    only_combs({{100, 164}});
    place_ball(100, 170, 0, -200);
    step();
    toggle_pause();  // the player pauses in between
    step();
    EXPECT_EQ(game.level, 2);
    EXPECT_FALSE(game.paused);
}

}  // namespace
