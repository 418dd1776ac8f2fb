#include "game/stage.h"

#include "game/game_state.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

void play_sound(const char16_t* name) {
    if (effects_open.load()) play_effect(name);
}

void move_sprite(Sprite& sprite, float dt) {
    const double step = dt;
    sprite.x = static_cast<float>(static_cast<double>(sprite.x) + static_cast<double>(sprite.vx) * step);
    sprite.y = static_cast<float>(static_cast<double>(sprite.y) + static_cast<double>(sprite.vy) * step);
}

void retake_sprites(Frame& frame) {
    frame.paddle = paddle_list.head;
    frame.ball = ball_list.head;
    frame.bullet = bullet_list.head;
}
