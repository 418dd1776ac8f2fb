// The gun: one bullet at most, restarted by every shot, gone at the zone.

#include "game/bees_bullets.h"
#include "tests/game/game_fixture.h"

namespace {

class Bullets : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
        clear(bee_list);
        place_ball(500, 250, 0, 0);  // out of the way
    }
};

TEST_F(Bullets, FiringSpendsOneAndStartsAtThePaddlesCentreLine) {
    game.bullets = 0;
    fire_bullet();
    EXPECT_EQ(bullet_list.head, nullptr);
    EXPECT_EQ(game.bullets, 0);
    game.bullets = 1;
    fire_bullet();
    ASSERT_NE(bullet_list.head, nullptr);
    EXPECT_FLOAT_EQ(bullet_list.head->x, 132);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 400);
    EXPECT_EQ(bullet_list.head->width, 8);
    EXPECT_EQ(bullet_list.head->height, 16);
    EXPECT_FLOAT_EQ(bullet_list.head->vy, -400);
    EXPECT_EQ(game.bullets, 0);
    game.bullets = -3;  // nothing to fire with
    fire_bullet();
    EXPECT_EQ(game.bullets, -3);
}

TEST_F(Bullets, ASecondShotRestartsTheSameBullet) {
    fire_bullet();
    steps(20);  // 0.2 s: 80 pixels up
    EXPECT_FLOAT_EQ(bullet_list.head->y, 320);
    place_paddle(200);
    step();
    fire_bullet();
    EXPECT_EQ(count(bullet_list), 1);
    EXPECT_EQ(game.bullets, 23);
    EXPECT_FLOAT_EQ(bullet_list.head->x, 232);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 400);
}

TEST_F(Bullets, ABulletVanishesInTheFirstFrameAboveTheZoneBottom) {
    fire_bullet();
    steps(49);  // 196 pixels: at 204, the zone bottom itself
    ASSERT_NE(bullet_list.head, nullptr);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 204);
    step();
    EXPECT_EQ(bullet_list.head, nullptr);
    // It was drawn in the frame it vanished in.
    EXPECT_EQ(drawn(SpriteImage::bullet), 1);
    step();
    EXPECT_EQ(drawn(SpriteImage::bullet), 0);
}

TEST_F(Bullets, APausedBulletNeitherMovesNorVanishes) {
    fire_bullet();
    steps(49);
    toggle_pause();
    steps(30, 100);
    ASSERT_NE(bullet_list.head, nullptr);
    EXPECT_FLOAT_EQ(bullet_list.head->y, 204);
    EXPECT_EQ(drawn(SpriteImage::bullet), 1);
}

}  // namespace
