#pragma once
// The two ends of a game, both run from inside a frame. Window thread only.

#include "game/stage.h"

// The last ball was lost (the game is already paused): hand the score to the
// table, then start again at level 1 with the first ball speed.
void end_game_after_last_ball(Frame& frame);
// A sting left the score below zero: pause, say so, start again at level 1
// (the ball speed stays). Leaves the bee list's cursor on its new head.
void game_over_by_sting(Frame& frame);
