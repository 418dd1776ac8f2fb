#pragma once
// One frame of the game: measure the time since the last one, move and draw
// every sprite list in a fixed order, draw the score line, show the picture
// and ask for the next frame. Window thread only, from the paint handler.

#include "game/sprite_list.h"
#include "platform/canvas.h"

// The longest step a frame takes, in seconds: a stall moves nothing further.
constexpr float max_time_step = 0.4f;

// What one frame carries from stage to stage. The paddle and the ball are
// never replaced once the game exists; the bullet slot is whatever bullet is
// still in flight after the bullet stage. None of these may be trusted after
// a modal call, since frames run inside it: retake_sprites refreshes them.
struct Frame {
    float dt = 0;              // seconds, 0 to max_time_step
    Sprite* paddle = nullptr;
    Sprite* ball = nullptr;
    Sprite* bullet = nullptr;
};

// The whole frame. Must run after new_game.
void frame_step(const PaintInfo& paint);

// Play an effect from the media folder, but only while the effect stream is
// open; the frame goes on the same either way.
void play_sound(const char16_t* name);
// One step of a sprite along its velocity: x first, then y, each worked out
// in double and stored as float.
void move_sprite(Sprite& sprite, float dt);
// Take the paddle, ball and bullet from their lists again, after a dialog or
// message box in which other frames may have run.
void retake_sprites(Frame& frame);
