// Frames that run inside a box or dialog which a frame itself opened.

#include "game/bees_bullets.h"
#include "game/controls.h"
#include "game/frame.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"
#include "tests/game/game_fixture.h"

namespace {

class NestedFrames : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
    }
    // Like the shell's paint messages arriving while the box is open.
    void run_nested(int n) {
        for (int i = 0; i < n; ++i) {
            null_clock.now += 10;
            frame_step(paint);
        }
    }
};

TEST_F(NestedFrames, FramesInsideTheGameOverBoxMoveNothingAndSeeTheOldCounters) {
    table_scores(30, 20, 10);
    game.balls = 1;
    game.score = 4;
    game.level = 2;
    float y_inside = 0;
    int level_inside = 0;
    while_box_open([&] {
        run_nested(3);
        y_inside = ball_list.head->y;
        level_inside = game.level;
    });
    place_ball(400, 391, 0, 200);
    step();
    EXPECT_EQ(boxes(), 1);
    EXPECT_FLOAT_EQ(y_inside, 200);  // served and paused: stays
    EXPECT_EQ(level_inside, 2);      // the resets come after the box
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.balls, 1);
}

TEST_F(NestedFrames, FramesRunInsideTheNewHighScoreDialogToo) {
    table_scores(30, 20, 10);
    game.balls = 1;
    game.score = 40;
    int32_t score_inside = 0;
    null_dialogs.while_dialog_open = [&] {
        run_nested(4);
        score_inside = game.score;
    };
    answer_new_score(u"Ash");
    place_ball(400, 391, 0, 200);
    step();
    EXPECT_EQ(new_score_dialogs(), 1);
    EXPECT_EQ(score_inside, 40);
    EXPECT_EQ(score_table.entries[0].score, 40);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(bee_list), 5);
}

TEST_F(NestedFrames, AClickInsideTheGameOverBoxResumesTheGameThere) {
    game.balls = 1;
    float y_inside = 0;
    while_box_open([&] {
        null_pointer.client_x = 300;
        left_button_down();
        run_nested(5);
        y_inside = ball_list.head->y;
    });
    place_ball(400, 391, 0, 200);
    step();
    ASSERT_EQ(boxes(), 1);
    EXPECT_FLOAT_EQ(y_inside, 210);  // five running frames at 200 px/s
    EXPECT_EQ(game.bullets, 30);     // the resuming click did not fire
    // The resets follow the box, and the game stays resumed.
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.level, 1);
    EXPECT_FLOAT_EQ(ball().y, 200);
    EXPECT_EQ(paddle().x, 300);
}

TEST_F(NestedFrames, LosingABallResumedInsideTheGameOverBoxEndsThatGameToo) {
    game.balls = 1;
    bool first_box = true;
    int32_t balls_inside = 99;
    while_box_open([&] {
        if (!first_box) return;
        first_box = false;
        left_button_down();             // resume behind the box, no ball left
        place_ball(400, 391, 0, 200);   // and lose it at once
        run_nested(1);
        balls_inside = game.balls;
    });
    place_ball(400, 391, 0, 200);
    step();
    EXPECT_EQ(boxes(), 2);          // the second loss ended that game as well
    EXPECT_EQ(balls_inside, 0);     // its resets already served the next game
    EXPECT_EQ(game.balls, 1);       // which starts with one ball, never none
    place_ball(400, 391, 0, 200);
    resume();
    step();
    EXPECT_EQ(boxes(), 3);          // and ends with its last ball
}

TEST_F(NestedFrames, TheBeeWalkSurvivesFramesThatRebuildOrShrinkItsLists) {
    // The sting's box opens in the middle of the bee walk. Inside it the player
    // resumes and fires; the nested frames shoot bees, lose the bullet and end
    // the level, freeing every sprite the outer walk had seen.
    game.score = 0;
    bees_at({{500, 300}, {110, 385}, {300, 300}, {200, 250}});
    place_ball(600, 250, 0, 0);
    while_box_open([&] {
        left_button_down();  // resumes
        place_paddle(280);
        left_button_down();  // fires from 312
        bullet_list.head->y = 310;  // level with the bee at 300
        run_nested(30);      // shoots it, then flies out of the zone
        clear(comb_list);    // the next nested frame ends the level
        run_nested(30);
    });
    step();
    ASSERT_EQ(boxes(), 1);
    // After the box: the game over's own resets, on top of what happened inside.
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(bee_list), 5);
    EXPECT_EQ(count(comb_list), 80);
    EXPECT_EQ(bullet_list.head, nullptr);
    EXPECT_EQ(bee_list.cursor, nullptr);
    step();  // and the game goes on
    EXPECT_EQ(count(bee_list), 5);
}

TEST_F(NestedFrames, AStingInsideTheGameOverBoxOpensASecondBox) {
    game.score = 0;
    bees_at({{110, 385}});
    int depth = 0, deepest = 0;
    while_box_open([&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (depth == 1) {
            key_released(key_p);  // resume inside the first box
            game.score = 2;
            bees_at({{110, 385}});
            run_nested(1);
        }
        --depth;
    });
    step();
    EXPECT_EQ(boxes(), 2);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(bee_list), 5);
}

}  // namespace
