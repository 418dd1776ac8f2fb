// The two ways a game ends, the last ball lost (through the score table) and a
// sting that drives the score below zero, and the frames that run inside the
// box or dialog such an end opens.

#include "game/bees_bullets.h"
#include "game/controls.h"
#include "tests/game/game_fixture.h"

namespace {

const std::pair<std::u16string, std::u16string> game_over_box{u"GAME OVER", u"Pinecastle"};

// The shells keep painting while a box or dialog is open, so whole frames run
// inside the one that a frame opened.
class GameOver : public Running {
protected:
    void lose_last_ball() {
        game.balls = 1;
        place_ball(400, 391, 0, 200);
        steps();
    }
};

// (Without the click, the box and the paused restart are the replays' to check.)
TEST_F(GameOver, LastBallWithANonQualifyingScoreShowsGameOverThenRestarts) {
    game.level = 2, game.ball_speed = 250, game.bullets = 7;
    float y_inside = 0;
    int level_inside = 0;
    null_dialogs.while_box_open = [&] {
        null_pointer.client_x = 300;
        left_button_down();
        steps(5);
        y_inside = ball().y;
        level_inside = game.level;
    };
    lose_last_ball();
    EXPECT_EQ(null_dialogs.boxes, decltype(null_dialogs.boxes){game_over_box});
    EXPECT_TRUE(null_dialogs.runs.empty());
    // Served at 250 px/s and resumed by the click, it falls for five frames:
    // 200 + 5 * 0.01 * 250.
    EXPECT_FLOAT_EQ(y_inside, 212.5f);
    EXPECT_EQ(level_inside, 2);  // the resets come after the box
    EXPECT_EQ(paddle().x, 300);
    EXPECT_FALSE(game.paused);  // the resets keep it resumed
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.ball_speed, 200);
    // The next game has one ball, and the bullets left carry over with five
    // more: the resuming click did not fire.
    EXPECT_EQ(game.balls, 1);
    EXPECT_EQ(game.bullets, 12);
    EXPECT_EQ(count(comb_list), 80);
}

// (That the dialog comes instead of the box, the replays count.)
TEST_F(GameOver, ANewHighScoreTakesANameWhileFramesRunBehindIt) {
    score_table.entries[0].score = 30, score_table.entries[1].score = 20, score_table.entries[2].score = 10;
    game.score = 25;
    int32_t score_inside = 0;
    null_dialogs.while_dialog_open = [&] {
        steps(4);
        score_inside = game.score;
    };
    null_dialogs.script = {null_type(item_name_edit, u"Wren"), null_press(command_ok)};
    lose_last_ball();
    EXPECT_EQ(score_inside, 25);  // the resets (the box's too) come after the dialog
    EXPECT_EQ(game.score, 0);
}

TEST_F(GameOver, StingsCostFivePointsAndEndTheGameBelowZero) {
    for (int32_t score : {5, 3}) {
        resume();
        game.level = 2, game.ball_speed = 225, game.score = score;
        bees_at({{500, 300}, {110, 385}, {300, 300}}, 2.5f);  // the second dives onto the paddle's top
        steps();
        EXPECT_EQ(heard(), buzz_wav);
        EXPECT_EQ(game.score, 0);
        EXPECT_EQ(boxes(), score == 5 ? 0 : 1);
        EXPECT_EQ(game.paused, score == 3);
        if (score == 5) {
            // Back to the top, same column and drift.
            const Sprite& bee = *bee_list.head->next;
            EXPECT_FLOAT_EQ(bee.y, 0);
            EXPECT_TRUE(bee.vx == 2.5f || bee.vx == 1.5f) << bee.vx;  // steered, then kept
            EXPECT_NEAR(bee.x, 110 + bee.vx * 0.01, 1e-4);
        } else {
            EXPECT_EQ(null_dialogs.boxes.back(), game_over_box);
            EXPECT_EQ(game.level, 1);
            EXPECT_EQ(game.ball_speed, 225);  // kept, unlike after the last ball
            EXPECT_FALSE(game.bees_attacking);
            // The walk goes on with the new list's second bee: the old head, the
            // stinging bee, then bees two to five of the new level.
            EXPECT_EQ(drawn(SpriteImage::bee_a) + drawn(SpriteImage::bee_b), 2 + 4);
            EXPECT_EQ(bee_list.cursor, nullptr);
            EXPECT_EQ(count(bee_list), 5);
            for (const Sprite* b = bee_list.head; b; b = b->next) EXPECT_FLOAT_EQ(b->y, 68);
        }
    }
}

using NestedFrames = GameOver;

TEST_F(NestedFrames, LosingABallResumedInsideTheGameOverBoxEndsThatGameToo) {
    int32_t balls_inside = 99;
    null_dialogs.while_box_open = [&] {
        if (boxes() > 1) return;
        left_button_down();            // resume behind the box, no ball left
        place_ball(400, 391, 0, 200);  // and lose it at once
        steps();
        balls_inside = game.balls;
    };
    lose_last_ball();
    EXPECT_EQ(boxes(), 2);       // the second loss ended that game as well
    EXPECT_EQ(balls_inside, 0);  // its resets already served the next game
    EXPECT_EQ(game.balls, 1);    // which starts with one ball, never none
    place_ball(400, 391, 0, 200);
    resume();
    steps();
    EXPECT_EQ(boxes(), 3);  // and ends with its last ball
}

TEST_F(NestedFrames, AStingInsideTheGameOverBoxOpensASecondBoxThere) {
    bees_at({{110, 385}});
    null_dialogs.while_box_open = [&] {
        if (boxes() > 1) return;
        key_released(key_p);  // resume inside the first box
        game.score = 2;
        bees_at({{110, 385}});
        steps();
    };
    steps();
    EXPECT_EQ(boxes(), 2);  // only a nested frame can sting a second time
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(bee_list), 5);
}

TEST_F(NestedFrames, TheBeeWalkSurvivesFramesThatRebuildOrShrinkItsLists) {
    // The sting's box opens in the middle of the bee walk. Inside it the player
    // resumes and fires; the nested frames shoot a bee, lose the bullet and end
    // the level, freeing every sprite the outer walk had seen.
    bees_at({{500, 300}, {110, 385}, {300, 300}, {200, 250}});
    place_ball(600, 250, 0, 0);
    null_dialogs.while_box_open = [&] {
        left_button_down();  // resumes
        place_paddle(280);
        left_button_down();  // fires from 312
        bullet_list.head->y = 310;  // level with the bee at 300
        steps(30);         // shoots it, then flies out of the zone
        clear(comb_list);  // the next nested frame ends the level
        steps(30);
    };
    steps();
    ASSERT_EQ(boxes(), 1);
    // The game over's own resets, on top of what happened inside.
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(count(bee_list), 5);
    EXPECT_EQ(count(comb_list), 80);
    EXPECT_EQ(bullet_list.head, nullptr);
    EXPECT_EQ(bee_list.cursor, nullptr);
    steps();  // and the game goes on
    EXPECT_EQ(count(bee_list), 5);
}

}  // namespace
