#include "tools/replay/auto_player.h"

#include "game/controls.h"
#include "game/game_state.h"
#include "platform/canvas.h"
#include "platform/null/null_platform.h"

namespace {

// While the game runs the pointer is held a paddle's width short of the
// window's right edge.
constexpr float pointer_right = static_cast<float>(field_width - paddle_width);
// Each frame the hand covers this share of the way to where it wants to be.
constexpr float follow = 0.5f;
// Returns are aimed within this many pixels either side of the centre, well
// inside the paddle's reach, so the ball still lands on it.
constexpr int aim_spread = 28;

float clamp_pointer(float x) { return x < 0 ? 0 : (x > pointer_right ? pointer_right : x); }

int roll(AutoPlayer& p, int n) {
    p.seed = p.seed * 1664525u + 1013904223u;
    return static_cast<int>((p.seed >> 8) % static_cast<uint32_t>(n));
}

void move_pointer(AutoPlayer& p, float x) {
    p.pointer = clamp_pointer(x);
    null_pointer.client_x = p.pointer;
    mouse_moved();
}

void click(AutoPlayer& p) {
    ++p.clicks;
    left_button_down();
}

// A diving bee in the bullet's lane, below the combs where bullets fly.
bool bee_in_lane(const Sprite& paddle) {
    if (!game.bees_attacking) return false;
    const float lane = paddle.x + static_cast<float>(paddle.width / 2);
    for (const Sprite* b = bee_list.head; b; b = b->next) {
        const bool below_combs = b->y > game.comb_zone_bottom && b->y < paddle.y - 24;
        if (below_combs && b->x <= lane + 8 && b->x + static_cast<float>(b->width) >= lane) return true;
    }
    return false;
}

void start_descent(AutoPlayer& p) {
    ++p.descents;
    p.dodging = p.miss_every > 0 && p.descents % static_cast<uint64_t>(p.miss_every) == 0;
}

}  // namespace

void auto_player_act(AutoPlayer& p) {
    const Sprite* ball = ball_list.head;
    const Sprite* paddle = paddle_list.head;
    if (!ball || !paddle) return;
    if (game.paused) {
        click(p);  // the click only resumes
        // Whatever paused the game, the ball falls afresh from here.
        p.ball_was_rising = true;
        return;
    }
    const bool rising = ball->vy < 0;
    if (rising && !p.ball_was_rising) p.aim = static_cast<float>(roll(p, 2 * aim_spread + 1) - aim_spread);
    if (!rising && p.ball_was_rising) start_descent(p);
    p.ball_was_rising = rising;
    // Dodging, the paddle keeps well clear of the ball instead.
    const float away = ball->x < field_width / 2 ? 200.0f : -200.0f;
    const float target = ball->x - 20 + (p.dodging ? away : p.aim);
    move_pointer(p, p.pointer + (target - p.pointer) * follow);
    if (!bullet_list.head && (p.spray || bee_in_lane(*paddle))) {
        // A player does not count his bullets: he clicks on an empty gun too.
        if (game.bullets > 0) {
            ++p.shots;
            click(p);
        } else {
            ++p.dry_shots;
            left_button_down();
        }
    }
}
