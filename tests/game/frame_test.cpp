// One frame: the time step, what it draws, the ball against paddle and walls,
// the combs, the end of a level and the next level's layout. (Where the pause
// holds the pointer, the flows see on the real programs.)

#include "game/draw.h"
#include "tests/game/game_fixture.h"

namespace {

using TimeStep = GameTest;

TEST_F(TimeStep, IsTheUnsignedClockDifferenceCappedAtFourTenths) {
    resume();
    const struct { uint32_t last, now; float dt; } cases[] = {
        {0, 123456, 0.4f},             // the very first frame: last_tick still 0
        {5000, 5016, 0.016f},
        {0xFFFFFFF0u, 0x10u, 0.032f},  // the counter wrapped between frames
        {5000, 5399, 0.399f},
        {5000, 9000, 0.4f},            // a stall
    };
    for (const auto& c : cases) {
        // Read back from how far a 200 px/s ball falls.
        place_ball(300.7f, 100, 0, 200);
        game.last_tick = c.last;
        null_clock.now = c.now;
        frame_step(paint);
        EXPECT_NEAR((ball().y - 100) / 200, c.dt, 1e-6) << c.last << " " << c.now;
        EXPECT_EQ(blits().at(1), Blit(SpriteImage::ball, 300, 100, 24, 24));  // where it stood before it moved
    }
}

TEST_F(TimeStep, PausedFramesDrawEverythingAndMoveNothing) {
    place_paddle(100);
    paddle().x = 320;  // the pointer moved, but a paused paddle does not follow
    // (That the ball stays and the clock is kept, the replays' paused frames show.)
    game.last_tick = 0;
    null_clock.now = 777777;
    frame_step(paint);
    EXPECT_EQ(paddle().x, 320);
    // Paddle, ball, 80 combs and 5 resting bees, then the line, the copy and
    // the request. The paddle stands in the middle of its line, the ball is
    // served from y 200: the generator's first two draws (41, 18467) give
    // column 347 and no drift.
    EXPECT_EQ(null_canvas.clears, 1);
    const std::vector<Blit> frame = blits();
    ASSERT_EQ(frame.size(), 87u);
    EXPECT_EQ(frame[0], Blit(SpriteImage::paddle, 320, 400, 64, 16));
    EXPECT_EQ(frame[1], Blit(SpriteImage::ball, 347, 200, 24, 24));
    EXPECT_EQ(frame[2], Blit(SpriteImage::comb, 608, 164, 32, 16));
    EXPECT_EQ(drawn(SpriteImage::comb), 80);
    EXPECT_EQ(bee_images(), std::vector<SpriteImage>(5, SpriteImage::bee_a));
    const std::u16string line = u"SCORE: 0         LEVEL: 1         BALLS: 3         BULLETS: 25";
    EXPECT_EQ(null_canvas.score_line, line);
    EXPECT_EQ(null_canvas.presents, 1);
    EXPECT_EQ(null_canvas.frame_requests, 1);
    EXPECT_EQ(heard(), 0);
    // The whole-field picture draws the same, in the same order.
    null_canvas.score_line.clear();
    draw_world();
    EXPECT_EQ(blits(), frame);
    EXPECT_EQ(null_canvas.score_line, line);
}

using Draw = GameTest;

TEST_F(Draw, PositionsAreTruncatedTowardZero) {
    const struct { float x, y; int px, py; } cases[] = {
        {-2.7f, 10.9f, -2, 10}, {639.99f, -0.5f, 639, 0}, {-30.2f, -40.8f, -30, -40},
        {1.0e12f, -1.0e12f, 1000000, -1000000}};
    for (const auto& c : cases) {
        null_canvas.blits.clear();
        draw_sprite(Sprite{c.x, c.y, 24, 24, 0, 0, nullptr, nullptr}, SpriteImage::ball);
        EXPECT_EQ(blits(), std::vector<Blit>{Blit(SpriteImage::ball, c.px, c.py, 24, 24)}) << c.x << "," << c.y;
    }
}

TEST_F(Draw, ScoreLineShowsExtremeCountersWhole) {
    game.score = -2147483647 - 1, game.level = 2147483647, game.balls = -1, game.bullets = 1000000000;
    char16_t line[score_line_capacity];
    const int n = format_score_line(line);
    EXPECT_EQ(std::u16string(line),
              u"SCORE: -2147483648         LEVEL: 2147483647         BALLS: -1         BULLETS: 1000000000");
    EXPECT_LT(n, score_line_capacity);
}

using Ball = Running;

TEST_F(Ball, BouncesOffThePaddleAndTheWallsOnlyWhenMovingTowardThem) {
    clear(bee_list);  // a ball near the top would rouse them
    const struct { float x, y, vx, vy, mouse_x, x_after, y_after, vx_after, vy_after; int sound; } cases[] = {
        // Falling to 382: below the paddle line, touching the paddle.
        {120, 380, 0, 200, 100, 120, 382, 0, -200, doing_wav},    // centres meet: straight up
        {164, 380, 0, 200, 100, 164, 382, 176, -200, doing_wav},  // left edge at the paddle's right end
        {76, 380, 0, 200, 100, 76, 382, -176, -200, doing_wav},   // right edge at the paddle's left end
        // The ball's new x (101) against this frame's paddle (90): (101 - 20 - 90) * 4.
        {100, 380, 100, 200, 90, 101, 382, -36, -200, doing_wav},
        {120, 370, 5, 200, 100, 120.05f, 372, 5, 200, 0},    // still above the line
        {120, 385, 5, -200, 100, 120.05f, 383, 5, -200, 0},  // moving up, still touching the paddle
        {-2, 300, -100, 10, 100, -3, 300.1f, 100, 10, hit_wav},               // left wall
        {617, 300, 100, 10, 100, 618, 300.1f, -100, 10, hit_wav},             // right: past 640 - 24
        {300, -2, 10, -100, 100, 300.1f, -3, 10, 100, hit_wav},               // top
        {-2, -2, -100, -100, 100, -3, -3, 100, 100, 2 * hit_wav},             // corner: two reversals
    };
    for (const auto& c : cases) {
        place_ball(c.x, c.y, c.vx, c.vy);
        game.mouse_x = c.mouse_x;
        steps();
        EXPECT_FLOAT_EQ(ball().x, c.x_after) << c.x << "," << c.y;  // not moved by a bounce
        EXPECT_FLOAT_EQ(ball().y, c.y_after) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(ball().vx, c.vx_after) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(ball().vy, c.vy_after) << c.x << "," << c.y;
        EXPECT_EQ(heard(), c.sound) << c.x << "," << c.y;
        // Still touching or outside in the next frame, but moving away: left alone.
        steps();
        EXPECT_FLOAT_EQ(ball().vx, c.vx_after) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(ball().vy, c.vy_after) << c.x << "," << c.y;
        EXPECT_EQ(heard(), 0) << c.x << "," << c.y;
    }
    // Without a stream (the device would not open) the ball bounces the same
    // and no effect file is even read.
    close_effects();
    null_wave.fail_open = true;
    open_effects();
    ASSERT_FALSE(effects_open);
    const int opens = null_files.opens;
    place_ball(120, 380, 0, 200);
    steps();
    EXPECT_FLOAT_EQ(ball().vy, -200);
    EXPECT_EQ(null_files.opens, opens);
}

// (The loss line itself, and where the next ball is served, the replays check.)
TEST_F(Ball, IsLostPastTheLossLineEvenWhenItBouncesInTheSameFrame) {
    place_ball(120, 393, 0, 200);  // reaches 395 touching the paddle
    steps();
    EXPECT_EQ(heard(), doing_wav);
    EXPECT_EQ(game.balls, 2);  // (and paused: the replays' losses)
    EXPECT_GE(ball().vx, 0);  // served again, drifting less than a pixel a second
    EXPECT_LT(ball().vx, 1);
}

// Paused, so the ball stays where it is put.
using Combs = GameTest;

void only_comb(float x, float y) {
    clear(comb_list);
    push_front(comb_list, x, y, comb_width, comb_height, 0, 0);
}

TEST_F(Combs, ABallAboveTheZoneBottomBreaksEveryCombItTouchesEvenWhilePaused) {
    // Straddling the columns at 0 and 32 of the lowest row (y 164 to 180).
    place_ball(20, 170, 3, -150);
    steps();
    EXPECT_EQ(game.score, 2);
    EXPECT_EQ(heard(), 2 * brick_wav);
    EXPECT_FLOAT_EQ(ball().vy, 150);  // sent down
    EXPECT_EQ(drawn(SpriteImage::comb), 80);  // both drawn in the frame they fell in
    steps();
    EXPECT_EQ(drawn(SpriteImage::comb), 78);  // and gone from the list after it
    only_comb(100, 200);  // reaches down to 216, past the zone bottom 204
    place_ball(100, 204, 0, -100);
    steps();
    EXPECT_EQ(count(comb_list), 1);
    place_ball(100, 203.9f, 0, 100);
    steps();
    EXPECT_EQ(count(comb_list), 0);
    EXPECT_EQ(game.score, 3);
    EXPECT_FLOAT_EQ(ball().vy, 100);  // already heading down: kept
}

std::vector<std::pair<float, float>> positions(const SpriteList& l) {
    std::vector<std::pair<float, float>> out;
    for (const Sprite* s = l.head; s; s = s->next) out.emplace_back(s->x, s->y);
    return out;
}

// The next level tops the balls up by one, to three at most, serves the ball
// again and lays out its combs and bees; the score stays.
TEST_F(Combs, TheLevelEndsInTheFrameAfterTheLastCombFellAndTheNextIsLaidOut) {
    const std::vector<float> one_block = {116, 132, 148, 164}, two_blocks = {20, 36, 116, 132, 148, 164};
    const struct {
        int level, speed, balls;
        bool paused_between;
        int next_level, next_speed, combs, bees, bullets, balls_after;
        std::vector<float> rows;
        float bee_head_x, bee_tail_x;
    } cases[] = {
        {1, 200, 0, false, 2, 225, 120, 5, 25, 1, two_blocks, 576, 64},
        {2, 225, 1, false, 3, 250, 120, 9, 25, 2, two_blocks, 544, 32},
        {3, 250, 2, false, 1, 300, 80, 5, 30, 3, one_block, 576, 64},
        {1, 200, 3, true, 2, 225, 120, 5, 25, 3, two_blocks, 576, 64},  // the player paused in between: the end resumes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        game.level = c.level, game.ball_speed = c.speed, game.bullets = 25, game.score = 0, game.balls = c.balls;
        resume();
        only_comb(100, 164);
        place_ball(100, 170, 0, -200);
        steps();
        EXPECT_EQ(game.level, c.level);
        if (c.paused_between) toggle_pause();
        steps();
        EXPECT_EQ(game.level, c.next_level);
        EXPECT_EQ(game.ball_speed, c.next_speed);
        EXPECT_EQ(game.paused, !c.paused_between);
        EXPECT_EQ(count(comb_list), c.combs);
        EXPECT_EQ(count(bee_list), c.bees);
        EXPECT_EQ(game.bullets, c.bullets);
        EXPECT_EQ(game.balls, c.balls_after);
        EXPECT_EQ(game.score, 1);
        // (The ball's serve at the new speed, the replays' serves and the soak's
        // speed rule check.)
        // The new bees are walked in that same frame; the new combs are not.
        EXPECT_EQ(drawn(SpriteImage::bee_a), c.bees);
        EXPECT_EQ(drawn(SpriteImage::comb), 0);
        // The combs from the right, each column from its lowest row up, to the
        // top of the column at x 0; the bees standing in one row, from the right.
        const auto combs = positions(comb_list);
        std::vector<float> column;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(combs[i].first, 608.0f);
            column.insert(column.begin(), combs[i].second);
        }
        EXPECT_EQ(column, c.rows);
        EXPECT_EQ(combs.back(), std::make_pair(0.0f, c.rows.front()));
        const auto bees = positions(bee_list);
        EXPECT_EQ(bees.front(), std::make_pair(c.bee_head_x, 68.0f));
        EXPECT_EQ(bees.back(), std::make_pair(c.bee_tail_x, 68.0f));
        for (const Sprite* s = comb_list.head; s; s = s->next) {
            EXPECT_EQ(s->width, 32);
            EXPECT_EQ(s->height, 16);
        }
        for (const Sprite* s = bee_list.head; s; s = s->next) EXPECT_EQ(s->vx, 0.0f);
    }
}

}  // namespace
