// The ball: the paddle bounce, the loss below the paddle, and the walls.

#include "game/frame.h"
#include "sfx/effect_stream.h"
#include "tests/game/game_fixture.h"

namespace {

class Ball : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
        clear(bee_list);  // a ball near the top would rouse them
    }
};

TEST_F(Ball, PaddleBounceAngleFollowsTheDistanceBetweenTheCentres) {
    struct Case {
        float ball_x;
        float vx;
    } cases[] = {
        {120, 0},     // centres meet: straight up
        {164, 176},   // left edge at the paddle's right end
        {76, -176},   // right edge at the paddle's left end
        {130, 40},
    };
    for (const Case& c : cases) {
        place_ball(c.ball_x, 380, 0, 200);
        step(10);  // falls to 382: below the paddle line, touching the paddle
        EXPECT_FLOAT_EQ(ball().vx, c.vx) << c.ball_x;
        EXPECT_FLOAT_EQ(ball().vy, -200) << c.ball_x;
        EXPECT_FLOAT_EQ(ball().y, 382);
        EXPECT_EQ(heard(), (Heard{.doing = 1})) << c.ball_x;
    }
}

TEST_F(Ball, BounceUsesTheBallsNewPositionAndThisFramesPaddle) {
    place_ball(100, 380, 100, 200);
    game.mouse_x = 90;  // the paddle moves to 90 in this frame's paddle stage
    step(10);
    // The ball is at x 101 when it bounces: (101 - 20 - 90) * 4.
    EXPECT_FLOAT_EQ(ball().vx, -36);
}

TEST_F(Ball, WithTheStreamClosedTheBounceHappensSilently) {
    effects_open = false;  // as after a failed open: the ring is there, the flag is not
    place_ball(120, 380, 0, 200);
    step(10);
    EXPECT_FLOAT_EQ(ball().vy, -200);
    EXPECT_EQ(heard(), Heard{});
    effects_open = true;  // so that TearDown closes the stream and frees it
}

TEST_F(Ball, OnlyABallBelowThePaddleLineMovingDownBounces) {
    place_ball(120, 370, 5, 200);  // reaches 372: still above the line
    step(10);
    EXPECT_FLOAT_EQ(ball().vy, 200);
    place_ball(120, 385, 5, -200);  // moving up, still touching the paddle
    step(10);
    EXPECT_FLOAT_EQ(ball().vy, -200);
    EXPECT_FLOAT_EQ(ball().vx, 5);
    EXPECT_EQ(heard(), Heard{});
}

TEST_F(Ball, BallPastTheLossLineIsLostEvenWhenItBouncesInTheSameFrame) {
    place_ball(120, 393, 0, 200);  // reaches 395 touching the paddle
    step(10);
    EXPECT_EQ(heard(), (Heard{.doing = 1}));
    EXPECT_EQ(game.balls, 2);
    EXPECT_TRUE(game.paused);
    // Served again: y 200 falling at ball_speed, a column within the field.
    EXPECT_FLOAT_EQ(ball().y, 200);
    EXPECT_FLOAT_EQ(ball().vy, 200);
    EXPECT_GE(ball().x, 0);
    EXPECT_LE(ball().x, 615);
    EXPECT_GE(ball().vx, 0);
    EXPECT_LT(ball().vx, 1);
}

TEST_F(Ball, BallAtTheLossLineItselfIsNotLost) {
    place_ball(400, 390, 0, 200);  // reaches 392 exactly, away from the paddle
    step(10);
    EXPECT_EQ(game.balls, 3);
    EXPECT_FALSE(game.paused);
    step(10);
    EXPECT_EQ(game.balls, 2);
}

TEST_F(Ball, WallsReverseABallMovingTowardThemOnce) {
    struct Case {
        float x, y, vx, vy;
        float vx_after, vy_after;
    } cases[] = {
        {-2, 300, -100, 10, 100, 10},    // left
        {617, 300, 100, 10, -100, 10},   // right: past 640 - 24
        {300, -2, 10, -100, 10, 100},    // top
        {-2, -2, -100, -100, 100, 100},  // corner: two reversals, two sounds
    };
    for (const Case& c : cases) {
        place_ball(c.x, c.y, c.vx, c.vy);
        step(10);
        EXPECT_FLOAT_EQ(ball().vx, c.vx_after) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(ball().vy, c.vy_after) << c.x << "," << c.y;
        const int walls = (c.vx != c.vx_after) + (c.vy != c.vy_after);
        EXPECT_EQ(heard(), (Heard{.hit = walls}));
        // Still outside in the next frame, but moving back in: left alone.
        step(10);
        EXPECT_FLOAT_EQ(ball().vx, c.vx_after);
        EXPECT_FLOAT_EQ(ball().vy, c.vy_after);
        EXPECT_EQ(heard(), Heard{});
    }
}

}  // namespace
