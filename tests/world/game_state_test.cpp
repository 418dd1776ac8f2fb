#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/game_state.h"
#include "platform/null/null_platform.h"

namespace {

class GameStateTest : public testing::Test {
protected:
    void SetUp() override {
        reset_null_platform();
        reset_world();
    }
    void TearDown() override { reset_world(); }
};

std::vector<std::pair<float, float>> positions(const SpriteList& l) {
    std::vector<std::pair<float, float>> out;
    for (const Sprite* s = l.head; s; s = s->next) out.emplace_back(s->x, s->y);
    return out;
}

}  // namespace

// Counts, head order and the rows of the three layouts.
TEST_F(GameStateTest, LayoutsOfTheThreeLevels) {
    struct Case {
        int level, combs, bees;
        std::pair<float, float> comb_head, comb_tail, bee_head, bee_tail;
        std::vector<float> rows;
        int bullets_added;
    };
    const Case cases[] = {
        {1, 80, 5, {608, 164}, {0, 116}, {576, 68}, {64, 68}, {116, 132, 148, 164}, 5},
        {2, 120, 5, {608, 164}, {0, 20}, {576, 68}, {64, 68}, {20, 36, 116, 132, 148, 164}, 0},
        {3, 120, 9, {608, 164}, {0, 20}, {544, 68}, {32, 68}, {20, 36, 116, 132, 148, 164}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        new_game();
        game.level = c.level;
        const int bullets = game.bullets;
        setup_level();
        EXPECT_EQ(game.bullets - bullets, c.bullets_added);
        EXPECT_EQ(count(comb_list), c.combs);
        EXPECT_EQ(count(bee_list), c.bees);
        EXPECT_EQ(game.comb_zone_bottom, 204.0f);
        const auto combs = positions(comb_list);
        EXPECT_EQ(combs.front(), c.comb_head);
        EXPECT_EQ(combs.back(), c.comb_tail);
        // Inner loop over rows: the head's column holds every row, lowest first.
        std::vector<float> column;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(combs[i].first, 608.0f);
            column.insert(column.begin(), combs[i].second);
        }
        EXPECT_EQ(column, c.rows);
        const auto bees = positions(bee_list);
        EXPECT_EQ(bees.front(), c.bee_head);
        EXPECT_EQ(bees.back(), c.bee_tail);
        for (const Sprite* s = comb_list.head; s; s = s->next) {
            EXPECT_EQ(s->width, 32);
            EXPECT_EQ(s->height, 16);
        }
        for (const Sprite* s = bee_list.head; s; s = s->next) EXPECT_EQ(s->vx, 0.0f);
    }
}

TEST_F(GameStateTest, SetupLevelServesTheBallAndTopsUpBalls) {
    new_game();
    struct Case {
        int balls_before, balls_after;
    };
    for (const Case c : {Case{0, 1}, Case{1, 2}, Case{2, 3}, Case{3, 3}}) {
        game.balls = c.balls_before;
        game.ball_speed = 275;
        game.bees_attacking = true;
        ball_list.head->y = 390;
        setup_level();
        EXPECT_EQ(game.balls, c.balls_after);
        EXPECT_EQ(ball_list.head->y, 200.0f);
        EXPECT_EQ(ball_list.head->vy, 275.0f);
        EXPECT_GE(ball_list.head->x, 0.0f);
        EXPECT_LE(ball_list.head->x, 615.0f);
        EXPECT_FALSE(game.bees_attacking);
    }
    // setup_level touches neither the score nor the pause.
    game.score = 17;
    game.paused = false;
    setup_level();
    EXPECT_EQ(game.score, 17);
    EXPECT_FALSE(game.paused);
}

TEST_F(GameStateTest, TogglePauseCapturesAndFreesThePointerInPairs) {
    null_pointer.clip = {0, 0, 1920, 1080};
    null_pointer.window = {100, 50, 740, 530};
    new_game();
    toggle_pause();  // running
    EXPECT_FALSE(game.paused);
    ASSERT_EQ(null_pointer.calls.size(), 2u);
    EXPECT_EQ(null_pointer.calls[0].kind, NullPointer::Call::confine);
    const ClipRect held = null_pointer.calls[0].rect;
    EXPECT_EQ(held.left, 100);
    EXPECT_EQ(held.top, 130);
    EXPECT_EQ(held.right, 676);
    EXPECT_EQ(held.bottom, 510);
    EXPECT_EQ(null_pointer.calls[1].kind, NullPointer::Call::hide);
    EXPECT_EQ(null_pointer.show_count, -1);

    toggle_pause();  // paused again: the old confinement comes back
    EXPECT_TRUE(game.paused);
    ASSERT_EQ(null_pointer.calls.size(), 4u);
    EXPECT_EQ(null_pointer.calls[2].kind, NullPointer::Call::confine);
    EXPECT_EQ(null_pointer.calls[2].rect.right, 1920);
    EXPECT_EQ(null_pointer.calls[3].kind, NullPointer::Call::show);
    EXPECT_EQ(null_pointer.show_count, 0);
}
