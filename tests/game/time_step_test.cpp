// The frame's time step: the clock difference, its wrap, its cap, and the
// paused frames that still draw everything.

#include "game/frame.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_platform.h"
#include "tests/game/game_fixture.h"

namespace {

class TimeStep : public GameTest {};

// A running frame's step, read back from how far a 200 px/s ball falls.
float step_taken(uint32_t last, uint32_t now) {
    game.last_tick = last;
    null_clock.now = now;
    ball_list.head->vx = 0;
    ball_list.head->vy = 200;
    ball_list.head->y = 0;
    frame_step(PaintInfo{nullptr, {0, 0, field_width, field_height}});
    EXPECT_EQ(game.last_tick, now);
    return ball_list.head->y / 200;
}

TEST_F(TimeStep, IsTheUnsignedClockDifferenceCappedAtFourTenths) {
    resume();
    place_ball(300, 0, 0, 200);
    struct Case {
        uint32_t last, now;
        float dt;
    } cases[] = {
        {0, 123456, 0.4f},               // the very first frame: last_tick still 0
        {5000, 5016, 0.016f},
        {0xFFFFFFF0u, 0x10u, 0.032f},    // the counter wrapped between frames
        {5000, 5399, 0.399f},
        {5000, 5400, 0.4f},
        {5000, 9000, 0.4f},              // a stall
        {5000, 5000, 0.0f},
    };
    for (const Case& c : cases) EXPECT_NEAR(step_taken(c.last, c.now), c.dt, 1e-6) << c.last << " " << c.now;
}

TEST_F(TimeStep, PausedFramesDrawEverythingAndMoveNothing) {
    place_paddle(100);
    paddle().x = 320;  // the pointer moved, but a paused paddle does not follow
    const Sprite before = ball();
    game.last_tick = 0;
    null_clock.now = 777777;
    frame_step(paint);
    EXPECT_EQ(game.last_tick, 777777u);
    EXPECT_EQ(paddle().x, 320);
    EXPECT_EQ(ball().x, before.x);
    EXPECT_EQ(ball().y, before.y);
    // Paddle, ball, 80 combs and 5 bees, then the line, the copy and the request.
    EXPECT_EQ(null_canvas.clears, 1);
    EXPECT_EQ(null_canvas.blits.size(), 87u);
    EXPECT_EQ(drawn(SpriteImage::comb), 80);
    EXPECT_EQ(null_canvas.score_line,
              u"SCORE: 0         LEVEL: 1         BALLS: 3         BULLETS: 25");
    EXPECT_EQ(null_canvas.presents, 1);
    EXPECT_EQ(null_canvas.frame_requests, 1);
    EXPECT_EQ(heard(), Heard{});
}

TEST_F(TimeStep, SpritesAreDrawnWhereTheyStoodBeforeTheyMove) {
    resume();
    place_ball(300.7f, 100, 0, 200);
    step(10);
    ASSERT_GE(null_canvas.blits.size(), 2u);
    EXPECT_EQ(null_canvas.blits[1].image, SpriteImage::ball);
    EXPECT_EQ(null_canvas.blits[1].x, 300);
    EXPECT_EQ(null_canvas.blits[1].y, 100);
    EXPECT_FLOAT_EQ(ball().y, 102);
}

}  // namespace
