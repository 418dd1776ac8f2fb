#include "game/game_state.h"

#include <initializer_list>

#include "game/random.h"

GameState game;
SpriteList paddle_list;
SpriteList ball_list;
SpriteList bullet_list;
SpriteList comb_list;
SpriteList bee_list;

namespace {

// The pointer stays this far inside the window's edges while the game runs:
// out of the caption and menu bar, out of the lower border, and the paddle's
// width short of the right edge, since the paddle hangs right of the pointer.
constexpr int32_t clip_top_margin = 80;
constexpr int32_t clip_right_margin = paddle_width;
constexpr int32_t clip_bottom_margin = 20;

void lay_out_combs(bool two_blocks) {
    clear(comb_list);
    for (int x = 0; x <= 608; x += comb_width) {
        if (two_blocks) {
            // Rows 2 to 5 stay empty: a band at the top, then the usual block.
            for (int i : {0, 1, 6, 7, 8, 9})
                push_front(comb_list, static_cast<float>(x), static_cast<float>(20 + comb_height * i),
                           comb_width, comb_height, 0, 0);
        } else {
            for (int y = 116; y <= 164; y += comb_height)
                push_front(comb_list, static_cast<float>(x), static_cast<float>(y), comb_width,
                           comb_height, 0, 0);
        }
    }
    game.comb_zone_bottom = 164 + comb_height + ball_size;
}

void lay_out_bees(int first_x, int step, int count) {
    clear(bee_list);
    for (int k = 0; k < count; ++k)
        push_front(bee_list, static_cast<float>(first_x + step * k), 68, bee_width, bee_height, 0, 0);
}

}  // namespace

void serve_ball() {
    ball_list.cursor = ball_list.head;
    Sprite* ball = ball_list.head;
    if (!ball) return;
    // Two draws, always in this order: the sideways drift, then the column.
    ball->vx = static_cast<float>(random_below(100) / 100.0);
    ball->vy = static_cast<float>(game.ball_speed);
    ball->x = static_cast<float>(random_below(640 - ball->width));
    ball->y = 200;
}

void new_game() {
    game.balls = 3;
    game.bullets = 20;
    clear(paddle_list);
    push_front(paddle_list, 320, 400, paddle_width, paddle_height, 0, 0);
    game.paddle_line = 376;
    clear(ball_list);
    push_front(ball_list, 320, 400, ball_size, ball_size, 0, 0);
    game.ball_speed = 200;
    game.level = 1;
    setup_level();
    game.saved_clip_rect = pointer_clip();
}

void setup_level() {
    if (game.balls < 3) game.balls += 1;
    serve_ball();
    game.bees_attacking = false;
    switch (game.level) {
        case 1:
            game.bullets += 5;
            lay_out_combs(false);
            lay_out_bees(64, 128, 5);
            break;
        case 2:
            lay_out_combs(true);
            lay_out_bees(64, 128, 5);
            break;
        case 3:
            lay_out_combs(true);
            lay_out_bees(32, 64, 9);
            break;
        default:
            break;
    }
}

void toggle_pause() {
    game.paused = !game.paused;
    if (game.paused) {
        pointer_confine(game.saved_clip_rect);
        pointer_show(true);
    } else {
        ClipRect r = pointer_window_rect();
        r.top += clip_top_margin;
        r.right -= clip_right_margin;
        r.bottom -= clip_bottom_margin;
        pointer_confine(r);
        pointer_show(false);
    }
}

void reset_world() {
    game = GameState{};
    for (SpriteList* list : {&paddle_list, &ball_list, &bullet_list, &comb_list, &bee_list}) clear(*list);
    reset_game_rand();
}
