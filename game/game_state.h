#pragma once
// The game's one set of counters and flags, the five sprite lists, and the
// operations that put the world into a known state. Window thread only.

#include <cstdint>

#include "game/sprite_list.h"
#include "platform/pointer.h"

struct GameState {
    int32_t score = 0;            // may dip below zero for an instant after a sting
    int32_t level = 1;            // layout 1 to 3
    int32_t balls = 3;
    int32_t bullets = 20;
    int32_t ball_speed = 0;       // vy of a served ball, pixels per second
    bool paused = true;           // the game starts paused
    bool bees_attacking = false;
    bool wing_frame = false;      // which bee image the next attacking bee shows
    float mouse_x = 320.0f;       // the paddle's left edge follows it
    float comb_zone_bottom = 0;   // last comb row's y + comb height + ball height
    float paddle_line = 0;        // the ball's y at which it reaches the paddle
    uint32_t last_tick = 0;       // clock reading of the previous frame
    ClipRect saved_clip_rect{};   // the pointer's confinement before the game took it
};

extern GameState game;

// The five lists; the paddle and the ball are the heads of theirs.
extern SpriteList paddle_list;
extern SpriteList ball_list;
extern SpriteList bullet_list;
extern SpriteList comb_list;
extern SpriteList bee_list;

// Fixed sizes of each kind of sprite.
constexpr int32_t paddle_width = 64, paddle_height = 16;
constexpr int32_t ball_size = 24;
constexpr int32_t bullet_width = 8, bullet_height = 16;
constexpr int32_t comb_width = 32, comb_height = 16;
constexpr int32_t bee_width = 32, bee_height = 16;

// Once at start-up, after the audio and the scores: three balls, twenty
// bullets, the paddle and ball, level 1. Leaves score and paused alone.
void new_game();
// Put the ball (head of its list, now also its cursor) at y 200 with a
// random column and drift and vy = ball_speed; two random draws.
void serve_ball();
// Serve the ball, top up the balls, and lay out the combs and bees of level.
void setup_level();
// Flip paused; while running, the pointer is hidden and held inside the
// window, while paused it is shown and given back its old confinement.
void toggle_pause();
// Put every counter, flag and list back as at program start (tests, tools).
void reset_world();
