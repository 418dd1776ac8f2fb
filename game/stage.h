#pragma once
// What the stages of a frame share: the frame's own record and the steps
// every stage may take. The stages include this, never game/frame.h, so the
// frame step can list them without any of them knowing it. Window thread.

#include "game/sprite_list.h"

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

// Play an effect from the media folder, but only while the effect stream is
// open; the frame goes on the same either way.
void play_sound(const char16_t* name);
// One step of a sprite along its velocity: x first, then y, each worked out
// in double and stored as float.
void move_sprite(Sprite& sprite, float dt);
// Take the paddle, ball and bullet from their lists again, after a dialog or
// message box in which other frames may have run.
void retake_sprites(Frame& frame);
