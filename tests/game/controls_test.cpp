// The mouse and the P key.

#include "game/controls.h"
#include "platform/null/null_platform.h"
#include "tests/game/game_fixture.h"

namespace {

class Controls : public GameTest {};

TEST_F(Controls, TheFirstClickOnlyResumesAndLaterClicksFire) {
    null_pointer.client_x = 250;
    left_button_down();
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.bullets, 25);
    EXPECT_EQ(bullet_list.head, nullptr);
    EXPECT_EQ(game.mouse_x, 250);
    step();
    EXPECT_EQ(paddle().x, 250);  // the paddle jumps to the pointer
    null_pointer.client_x = 180;
    left_button_down();
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.bullets, 24);
    ASSERT_NE(bullet_list.head, nullptr);
    // Fired from where the paddle stood, then the pointer is read again.
    EXPECT_FLOAT_EQ(bullet_list.head->x, 282);
    EXPECT_EQ(game.mouse_x, 180);
}

TEST_F(Controls, MouseMovesAreTrackedEvenWhilePaused) {
    null_pointer.client_x = 42;
    mouse_moved();
    EXPECT_EQ(game.mouse_x, 42);
    step();
    EXPECT_EQ(paddle().x, 320);
}

TEST_F(Controls, EachReleaseOfPTogglesAndOtherKeysDoNothing) {
    key_released(key_p);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(null_pointer.show_count, -1);
    for (int key : {0x70, 0x20, 0x1B, 0x51}) key_released(key);
    EXPECT_FALSE(game.paused);
    key_released(key_p);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(null_pointer.show_count, 0);
}

}  // namespace
