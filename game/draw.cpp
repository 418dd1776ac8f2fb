#include "game/draw.h"

#include "game/game_state.h"
#include "text/text.h"

int sprite_pixel(float position) {
    // Anything this far out draws nothing either way; the limit only keeps the
    // conversion defined for a bee that has drifted off for a very long time.
    constexpr float limit = 1.0e6f;
    if (!(position > -limit)) return -static_cast<int>(limit);
    if (position > limit) return static_cast<int>(limit);
    return static_cast<int>(position);
}

void draw_sprite(const Sprite& sprite, SpriteImage image) {
    canvas_draw_sprite(image, sprite_pixel(sprite.x), sprite_pixel(sprite.y), sprite.width,
                       sprite.height);
}

int format_score_line(char16_t* out) {
    return format_text(out, score_line_capacity,
                       u"SCORE: %i         LEVEL: %i         BALLS: %i         BULLETS: %i",
                       game.score, game.level, game.balls, game.bullets);
}

void draw_score_line() {
    char16_t line[score_line_capacity];
    format_score_line(line);
    canvas_draw_score_line(line);
}

SpriteImage next_bee_image() {
    if (!game.bees_attacking) return SpriteImage::bee_a;
    const SpriteImage image = game.wing_frame ? SpriteImage::bee_a : SpriteImage::bee_b;
    game.wing_frame = !game.wing_frame;
    return image;
}

void draw_world() {
    canvas_clear();
    if (paddle_list.head) draw_sprite(*paddle_list.head, SpriteImage::paddle);
    if (ball_list.head) draw_sprite(*ball_list.head, SpriteImage::ball);
    if (bullet_list.head) draw_sprite(*bullet_list.head, SpriteImage::bullet);
    for (const Sprite* s = comb_list.head; s; s = s->next) draw_sprite(*s, SpriteImage::comb);
    for (const Sprite* s = bee_list.head; s; s = s->next) draw_sprite(*s, next_bee_image());
    draw_score_line();
}
