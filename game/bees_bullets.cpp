#include "game/bees_bullets.h"

#include "game/draw.h"
#include "game/game_over.h"
#include "game/game_state.h"
#include "game/random.h"

namespace {

constexpr float bullet_speed = -400;   // straight up
constexpr float new_bullet_x = 320, new_bullet_y = 400;
constexpr float dive_speed = 100;
constexpr float bee_floor = 440;       // a bee below this starts again at the top
constexpr int32_t sting_points = -5;
constexpr int32_t shot_points = 25;

// The ball rouses the swarm once it climbs above the bees' row.
float rousing_line(const Sprite& bee) { return static_cast<float>(3 * bee.height + 20); }

enum class BeeOutcome { stays, removed, replaced };

void rouse_swarm(const Frame& frame, const Sprite& bee) {
    if (frame.ball && frame.ball->y < rousing_line(bee)) {
        game.bees_attacking = true;
        play_sound(u"buzz.wav");
    }
}

// The bees steer once per frame, so a faster machine makes them twitchier;
// that is part of the game. They aim at the paddle's left edge and are never
// damped, so they overshoot and swing back.
void steer(const Frame& frame, Sprite& bee) {
    const int n = random_below(2);
    const bool paddle_right = frame.paddle && frame.paddle->x > bee.x;
    bee.vx = static_cast<float>(static_cast<double>(bee.vx) + (paddle_right ? n : -n));
}

BeeOutcome dive(Frame& frame, Sprite& bee) {
    steer(frame, bee);
    bee.vy = dive_speed;
    move_sprite(bee, frame.dt);
    if (frame.paddle && overlaps(*frame.paddle, bee)) {
        game.score += sting_points;
        bee.y = 0;
        play_sound(u"buzz.wav");
        if (game.score < 0) {
            game_over_by_sting(frame);
            return BeeOutcome::replaced;
        }
        return BeeOutcome::stays;
    }
    if (bee.y > bee_floor) bee.y = 0;
    // The bullet is not spent: it flies on and may shoot more bees.
    if (frame.bullet && overlaps(*frame.bullet, bee)) {
        game.score += shot_points;
        remove_current(bee_list);
        return BeeOutcome::removed;
    }
    return BeeOutcome::stays;
}

BeeOutcome update_bee(Frame& frame, Sprite& bee) {
    if (game.paused) return BeeOutcome::stays;
    if (!game.bees_attacking) {
        // The bee that rouses the swarm stays still this frame; the ones after
        // it in the walk already dive.
        rouse_swarm(frame, bee);
        return BeeOutcome::stays;
    }
    return dive(frame, bee);
}

}  // namespace

void fire_bullet() {
    if (game.bullets <= 0) return;
    paddle_list.cursor = paddle_list.head;
    const Sprite* paddle = paddle_list.head;
    if (!paddle) return;
    bullet_list.cursor = bullet_list.head;
    if (!bullet_list.head &&
        !push_front(bullet_list, new_bullet_x, new_bullet_y, bullet_width, bullet_height, 0, bullet_speed))
        return;
    // One bullet at most: a click while it flies starts the same one again.
    Sprite& bullet = *bullet_list.head;
    bullet.x = static_cast<float>(static_cast<double>(paddle->x) + paddle->width / 2);
    bullet.y = paddle->y;
    game.bullets -= 1;
}

void bullet_stage(Frame& frame) {
    bullet_list.cursor = bullet_list.head;
    frame.bullet = bullet_list.head;
    if (!frame.bullet) return;
    draw_sprite(*frame.bullet, SpriteImage::bullet);
    if (game.paused) return;
    move_sprite(*frame.bullet, frame.dt);
    // Bullets never reach the combs: they vanish at the edge of their zone.
    if (frame.bullet->y < game.comb_zone_bottom) frame.bullet = remove_current(bullet_list);
}

void bee_stage(Frame& frame) {
    bee_list.cursor = bee_list.head;
    while (Sprite* bee = bee_list.cursor) {
        draw_sprite(*bee, next_bee_image());
        // A shot bee's removal has already moved the cursor on. After a game
        // over the list is new and the cursor on its head; the walk goes on
        // from there, never from the bee it stood on before.
        if (update_bee(frame, *bee) == BeeOutcome::removed) continue;
        if (bee_list.cursor) bee_list.cursor = bee_list.cursor->next;
    }
}
