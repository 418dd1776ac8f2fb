// Bees: rousing, steering, the floor wrap, shots, and the wing images.

#include "game/bees_bullets.h"
#include "game/random.h"
#include "platform/null/null_canvas.h"
#include "tests/game/game_fixture.h"

namespace {

class Bees : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
        place_ball(500, 250, 0, 0);
    }
    std::vector<SpriteImage> bee_images() const {
        std::vector<SpriteImage> out;
        for (const auto& b : null_canvas.blits)
            if (b.image == SpriteImage::bee_a || b.image == SpriteImage::bee_b) out.push_back(b.image);
        return out;
    }
};

TEST_F(Bees, TheSwarmRisesOnlyOnceTheBallIsStrictlyAboveTheirRow) {
    place_ball(500, 68, 0, 0);
    step();
    EXPECT_FALSE(game.bees_attacking);
    place_ball(500, 67.99f, 0, 0);
    step();
    EXPECT_TRUE(game.bees_attacking);
    EXPECT_EQ(heard(), (Heard{.buzz = 1}));
    // The bee that roused them stays put this frame; the others already dive.
    EXPECT_FLOAT_EQ(bee_list.head->y, 68);
    for (const Sprite* b = bee_list.head->next; b; b = b->next) EXPECT_FLOAT_EQ(b->y, 69);
    step();
    EXPECT_EQ(heard(), Heard{});
}

TEST_F(Bees, EachAttackingBeeDrawsOnceAndSteersTowardThePaddlesLeftEdge) {
    bees_at({{300, 100}, {50, 100}, {100, 100}}, 0);
    reset_game_rand();
    int draws[3];
    for (int& n : draws) n = random_below(2);
    reset_game_rand();
    step();
    // Walk order: right of the paddle steers left, left steers right, level
    // with its left edge steers left.
    const Sprite* b = bee_list.head;
    EXPECT_EQ(b->vx, static_cast<float>(-draws[0]));
    EXPECT_EQ(b->next->vx, static_cast<float>(draws[1]));
    EXPECT_EQ(b->next->next->vx, static_cast<float>(-draws[2]));
    EXPECT_FLOAT_EQ(b->vy, 100);
    // Exactly one draw per attacking bee: the sequence goes on after the third.
    const int next = random_below(32768);
    reset_game_rand();
    for (int i = 0; i < 3; ++i) random_below(2);
    EXPECT_EQ(next, random_below(32768));
}

TEST_F(Bees, ABeeFallingPastTheFloorStartsAgainAtTheTop) {
    bees_at({{300, 439.5f}}, 0);
    game.score = 7;
    step();
    EXPECT_FLOAT_EQ(bee_list.head->y, 0);
    EXPECT_EQ(game.score, 7);
    EXPECT_EQ(heard(), Heard{});
}

TEST_F(Bees, OneBulletShootsEveryBeeItTouchesAndFliesOn) {
    bees_at({{120, 300}, {500, 100}, {136, 310}});
    fire_bullet();
    bullet_list.head->y = 310;
    step();
    EXPECT_EQ(game.score, 50);
    EXPECT_EQ(count(bee_list), 1);
    EXPECT_NEAR(bee_list.head->x, 500, 0.1);  // only the one out of the way is left
    EXPECT_NE(bullet_list.head, nullptr);
    EXPECT_EQ(heard(), Heard{});
}

TEST_F(Bees, WingImagesAlternatePerBeeSoOddSwarmsFlapAndEvenOnesDoNot) {
    place_ball(500, 250, 0, 0);
    toggle_pause();  // the images flip while paused too
    for (int bees : {5, 4}) {
        clear(bee_list);
        for (int k = 0; k < bees; ++k) push_front(bee_list, static_cast<float>(64 + 128 * k), 68, bee_width, bee_height, 0, 0);
        game.bees_attacking = true;
        game.wing_frame = false;
        step();
        const auto first = bee_images();
        step();
        const auto second = bee_images();
        ASSERT_EQ(first.size(), static_cast<size_t>(bees));
        EXPECT_EQ(first[0], SpriteImage::bee_b);
        EXPECT_EQ(first[1], SpriteImage::bee_a);
        for (int k = 0; k < bees; ++k) EXPECT_EQ(first[k] == second[k], bees % 2 == 0) << bees << " " << k;
    }
}

}  // namespace
