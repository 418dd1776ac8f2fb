// The two ways a game ends: the last ball lost (through the score table) and
// a sting that drives the score below zero.

#include "scores/scores.h"
#include "tests/game/game_fixture.h"

namespace {

class GameOver : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
    }
    void lose_last_ball() {
        game.balls = 1;
        place_ball(400, 391, 0, 200);
        step(10);
    }
};

TEST_F(GameOver, LastBallWithANonQualifyingScoreShowsGameOverAndRestarts) {
    table_scores(30, 20, 0);
    game.level = 2;
    game.ball_speed = 250;
    game.bullets = 7;
    lose_last_ball();
    EXPECT_EQ(boxes(), 1);
    EXPECT_EQ(last_box(), u"GAME OVER");
    EXPECT_EQ(new_score_dialogs(), 0);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.ball_speed, 200);
    // The next game has one ball, and the bullets left carry over with five more.
    EXPECT_EQ(game.balls, 1);
    EXPECT_EQ(game.bullets, 12);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(count(comb_list), 80);
    EXPECT_FLOAT_EQ(ball().y, 200);
    EXPECT_FLOAT_EQ(ball().vy, 200);
}

TEST_F(GameOver, ANewHighScoreTakesANameInsteadOfTheBox) {
    table_scores(30, 20, 10);
    game.score = 25;
    answer_new_score(u"Wren");
    lose_last_ball();
    EXPECT_EQ(boxes(), 0);
    EXPECT_EQ(new_score_dialogs(), 1);
    EXPECT_EQ(score_table.entries[1].score, 25);
    EXPECT_EQ(std::u16string(score_table.entries[1].name), u"Wren");
    EXPECT_TRUE(file_exists(scratch->media("scores.bin")));
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.balls, 1);
}

TEST_F(GameOver, StingsCostFivePointsAndEndTheGameBelowZero) {
    struct Case {
        int32_t score;
        bool over;
    } cases[] = {{5, false}, {3, true}};
    for (const Case& c : cases) {
        resume();
        game.level = 2;
        game.ball_speed = 225;
        game.score = c.score;
        const int boxes_before = boxes();
        bees_at({{110, 385}}, 2.5f);  // dives onto the paddle's top
        step(10);
        EXPECT_EQ(heard(), (Heard{.buzz = 1}));
        if (!c.over) {
            EXPECT_EQ(game.score, 0);
            EXPECT_FALSE(game.paused);
            EXPECT_EQ(boxes(), boxes_before);
            // Back to the top, same column and drift.
            EXPECT_FLOAT_EQ(bee_list.head->y, 0);
            const Sprite& bee = *bee_list.head;
            EXPECT_TRUE(bee.vx == 2.5f || bee.vx == 1.5f) << bee.vx;  // steered, then kept
            EXPECT_NEAR(bee.x, 110 + bee.vx * 0.01, 1e-4);
        } else {
            EXPECT_EQ(boxes(), boxes_before + 1);
            EXPECT_EQ(last_box(), u"GAME OVER");
            EXPECT_EQ(game.score, 0);
            EXPECT_EQ(game.level, 1);
            EXPECT_EQ(game.ball_speed, 225);  // kept, unlike after the last ball
            EXPECT_TRUE(game.paused);
            EXPECT_EQ(count(bee_list), 5);
            EXPECT_FALSE(game.bees_attacking);
        }
    }
}

TEST_F(GameOver, AfterAStingGameOverTheWalkGoesOnWithTheNewListsSecondBee) {
    game.score = 0;
    // The second bee stings; the first was drawn before it.
    bees_at({{500, 300}, {110, 385}, {300, 300}});
    step(10);
    ASSERT_EQ(boxes(), 1);
    // Old head, the stinging bee, then bees two to five of the new level.
    EXPECT_EQ(drawn(SpriteImage::bee_a) + drawn(SpriteImage::bee_b), 2 + 4);
    EXPECT_EQ(bee_list.cursor, nullptr);
    for (const Sprite* b = bee_list.head; b; b = b->next) EXPECT_FLOAT_EQ(b->y, 68);
}

}  // namespace
