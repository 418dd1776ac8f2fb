#pragma once
// The player's gun and the bees. Window thread only.

#include "game/stage.h"

// A left click while the game runs: spend a bullet and (re)start the one
// bullet from the paddle's centre line. Does nothing without bullets.
void fire_bullet();
// Frame stages: draw and fly the bullet, filling frame.bullet; draw, rouse,
// steer and move the bees, with stings, shots and the game over by a sting.
void bullet_stage(Frame& frame);
void bee_stage(Frame& frame);
