// The gun and its one bullet, the bees, and the player's mouse and P key.

#include "game/bees_bullets.h"
#include "game/controls.h"
#include "game/draw.h"
#include "game/random.h"
#include "tests/game/game_fixture.h"

namespace {

using Bullets = Running;

TEST_F(Bullets, EachShotSpendsOneAndStartsTheOneBulletAtThePaddlesCentreLine) {
    for (int32_t none : {0, -3}) {  // nothing to fire with
        game.bullets = none;
        fire_bullet();
        EXPECT_EQ(bullet_list.head, nullptr);
        EXPECT_EQ(game.bullets, none);
    }
    game.bullets = 2;
    fire_bullet();
    ASSERT_NE(bullet_list.head, nullptr);
    EXPECT_FLOAT_EQ(bullet_list.head->x, 132);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 400);  // and 400 px/s up: the next test's 204 after 0.49 s
    place_paddle(200);
    steps(20);
    fire_bullet();  // restarts the same bullet, in flight
    EXPECT_EQ(count(bullet_list), 1);
    EXPECT_EQ(game.bullets, 0);
    EXPECT_FLOAT_EQ(bullet_list.head->x, 232);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 400);
}

TEST_F(Bullets, ABulletVanishesInTheFirstFrameAboveTheZoneBottomButNotWhilePaused) {
    fire_bullet();
    steps(49);  // 196 pixels: at 204, the zone bottom itself
    toggle_pause();
    steps(30, 100);
    ASSERT_NE(bullet_list.head, nullptr);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 204);
    EXPECT_EQ(drawn(SpriteImage::bullet), 1);
    toggle_pause();
    steps();  // past the zone bottom, reached after 0.49 s of flight: gone
    EXPECT_EQ(bullet_list.head, nullptr);
    EXPECT_EQ(drawn(SpriteImage::bullet), 1);  // drawn in the frame it vanished in
    steps();
    EXPECT_EQ(drawn(SpriteImage::bullet), 0);
}

using Bees = Running;

TEST_F(Bees, TheSwarmRisesOnlyOnceTheBallIsStrictlyAboveTheirRow) {
    place_ball(500, 68, 0, 0);
    steps();
    EXPECT_FALSE(game.bees_attacking);
    place_ball(500, 67.99f, 0, 0);
    steps();
    EXPECT_TRUE(game.bees_attacking);
    EXPECT_EQ(heard(), buzz_wav);
    // The bee that roused them stays put this frame; the others already dive.
    EXPECT_FLOAT_EQ(bee_list.head->y, 68);
    for (const Sprite* b = bee_list.head->next; b; b = b->next) EXPECT_FLOAT_EQ(b->y, 69);
    steps();
    EXPECT_EQ(heard(), 0);
}

TEST_F(Bees, EachAttackingBeeDrawsOnceAndSteersTowardThePaddlesLeftEdge) {
    bees_at({{300, 100}, {50, 100}, {100, 100}});
    reset_game_rand();
    int draws[3];
    for (int& n : draws) n = random_below(2);
    const int after = random_below(32768);
    reset_game_rand();
    steps();
    // Walk order: right of the paddle steers left, left steers right, level
    // with its left edge steers left.
    const Sprite* b = bee_list.head;
    EXPECT_EQ(b->vx, static_cast<float>(-draws[0]));
    EXPECT_EQ(b->next->vx, static_cast<float>(draws[1]));
    EXPECT_EQ(b->next->next->vx, static_cast<float>(-draws[2]));
    EXPECT_FLOAT_EQ(b->vy, 100);
    // Exactly one draw per attacking bee: the sequence goes on after the third.
    EXPECT_EQ(random_below(32768), after);
}

TEST_F(Bees, OneBulletShootsEveryBeeItTouchesAndABeePastTheFloorStartsAtTheTop) {
    bees_at({{120, 300}, {500, 100}, {136, 310}, {300, 439.5f}});
    game.score = 7;
    fire_bullet();
    bullet_list.head->y = 310;
    steps();
    EXPECT_EQ(game.score, 7 + 2 * 25);
    ASSERT_EQ(count(bee_list), 2);
    EXPECT_NEAR(bee_list.head->x, 500, 0.1);  // the one out of the way
    EXPECT_FLOAT_EQ(bee_list.head->next->y, 0);  // fell to 440.5: no sting, no sound
    EXPECT_NE(bullet_list.head, nullptr);  // flies on
    EXPECT_EQ(heard(), 0);
}

// While the bees attack, every bee drawn flips the wing frame, in the frame
// and in the whole-field picture (draw_world) alike: an odd swarm flaps from
// frame to frame, an even one does not.
TEST_F(Bees, WingImagesAlternatePerBeeSoOddSwarmsFlapAndEvenOnesDoNot) {
    const SpriteImage a = SpriteImage::bee_a, b = SpriteImage::bee_b;
    const struct { int bees; std::vector<SpriteImage> first, second; } cases[] = {
        {5, {b, a, b, a, b}, {a, b, a, b, a}},
        {4, {b, a, b, a}, {b, a, b, a}},
    };
    toggle_pause();  // the images flip while paused too
    for (const auto& c : cases) {
        clear(bee_list);
        for (int k = 0; k < c.bees; ++k) push_front(bee_list, static_cast<float>(64 + 128 * k), 68, bee_width, bee_height, 0, 0);
        game.bees_attacking = true;
        game.wing_frame = false;
        steps();
        EXPECT_EQ(bee_images(), c.first);
        steps();
        EXPECT_EQ(bee_images(), c.second);
        draw_world();
        EXPECT_EQ(bee_images(), c.first);
    }
}

using Controls = GameTest;

TEST_F(Controls, TheFirstClickOnlyResumesLaterClicksFireAndEachReleaseOfPToggles) {
    null_pointer.client_x = 42;
    mouse_moved();  // tracked while paused too
    EXPECT_EQ(game.mouse_x, 42);
    null_pointer.client_x = 250;
    left_button_down();  // resumes only (a shot's cost, the replays count)
    steps();
    EXPECT_EQ(paddle().x, 250);  // the click read the pointer, and the paddle jumps to it
    null_pointer.client_x = 180;
    left_button_down();
    ASSERT_NE(bullet_list.head, nullptr);
    // Fired from where the paddle stood, then the pointer is read again.
    EXPECT_FLOAT_EQ(bullet_list.head->x, 282);
    EXPECT_EQ(game.mouse_x, 180);
    for (int key : {0x70, 0x20, 0x1B, 0x51}) key_released(key);  // not P
    EXPECT_FALSE(game.paused);
    key_released(key_p);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(null_pointer.show_count, 0);
    key_released(key_p);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(null_pointer.show_count, -1);
}

}  // namespace
