#include "game/frame.h"

#include "game/bees_bullets.h"
#include "game/draw.h"
#include "game/game_over.h"
#include "game/game_state.h"
#include "game/stage.h"
#include "platform/clock.h"

namespace {

// The paddle bounce: vx = (ball x - bounce_offset - paddle x) * bounce_gain,
// which is four times the distance between the centres of a 24-pixel ball
// and a 64-pixel paddle.
constexpr double bounce_offset = 20;
constexpr double bounce_gain = 4;
// The ball is lost this far below the paddle line.
constexpr float loss_margin = 16;

float take_time_step() {
    const uint32_t now = clock_ms();
    // Unsigned, so the wrap of the counter after 49 days still gives the
    // small true difference. Paused frames keep the clock too, so resuming
    // never jumps.
    const uint32_t elapsed = now - game.last_tick;
    game.last_tick = now;
    const float dt = static_cast<float>(elapsed / 1000.0);
    return dt > max_time_step ? max_time_step : dt;
}

void paddle_stage(Frame& frame) {
    paddle_list.cursor = paddle_list.head;
    frame.paddle = paddle_list.head;
    if (!frame.paddle) return;
    draw_sprite(*frame.paddle, SpriteImage::paddle);
    // The left edge follows the pointer exactly; the pointer's confinement
    // keeps it in the field.
    if (!game.paused) frame.paddle->x = game.mouse_x;
}

void bounce_off_paddle(Frame& frame) {
    Sprite& ball = *frame.ball;
    if (!frame.paddle || !overlaps(*frame.paddle, ball) || !(ball.vy > 0)) return;
    ball.vy = -ball.vy;
    ball.vx = static_cast<float>((static_cast<double>(ball.x) - bounce_offset - frame.paddle->x) *
                                 bounce_gain);
    play_sound(u"doing.wav");
}

void lose_ball(Frame& frame) {
    game.balls -= 1;
    serve_ball();
    toggle_pause();
    // Zero or below: a game resumed inside the GAME OVER box plays on with no
    // ball left, and losing that one must end it too, or that game and every
    // later one would never end.
    if (game.balls <= 0) end_game_after_last_ball(frame);
}

void bounce_off_walls(Sprite& ball) {
    // Only a ball moving toward a wall turns, so one already outside and on
    // its way back is left alone; it is never pushed back in.
    if (ball.x < 0 && ball.vx < 0) {
        ball.vx = -ball.vx;
        play_sound(u"hit.wav");
    } else if (ball.x > static_cast<float>(field_width - ball.width) && ball.vx > 0) {
        ball.vx = -ball.vx;
        play_sound(u"hit.wav");
    }
    if (ball.y < 0 && ball.vy < 0) {
        ball.vy = -ball.vy;
        play_sound(u"hit.wav");
    }
}

void ball_stage(Frame& frame) {
    ball_list.cursor = ball_list.head;
    frame.ball = ball_list.head;
    if (!frame.ball) return;
    draw_sprite(*frame.ball, SpriteImage::ball);
    if (game.paused) return;
    Sprite& ball = *frame.ball;
    move_sprite(ball, frame.dt);
    if (ball.y > game.paddle_line) {
        // A fast ball may bounce and still be lost in the same frame.
        bounce_off_paddle(frame);
        if (ball.y > game.paddle_line + loss_margin) lose_ball(frame);
    }
    if (frame.ball) bounce_off_walls(*frame.ball);
}

void end_level() {
    // Normally this pauses; if the player paused just after the last comb
    // fell, it resumes instead.
    toggle_pause();
    if (game.level >= 3) {
        game.ball_speed += 50;
        game.level = 1;
    } else {
        game.ball_speed += 25;
        game.level += 1;
    }
    setup_level();
}

bool ball_breaks(const Sprite& comb, const Sprite* ball) {
    return ball && ball->y < game.comb_zone_bottom && overlaps(comb, *ball);
}

void comb_stage(Frame& frame) {
    // The level ends in the frame after its last comb fell.
    if (!comb_list.head) {
        end_level();
        return;
    }
    comb_list.cursor = comb_list.head;
    while (Sprite* comb = comb_list.cursor) {
        draw_sprite(*comb, SpriteImage::comb);
        if (ball_breaks(*comb, frame.ball)) {
            play_sound(u"brick.wav");
            game.score += 1;
            // After a hit the ball always heads down.
            if (frame.ball->vy < 0) frame.ball->vy = -frame.ball->vy;
            remove_current(comb_list);  // the cursor is on the next comb now
        } else {
            comb_list.cursor = comb->next;
        }
    }
}

void finish_picture(const PaintInfo& paint) {
    draw_score_line();
    canvas_present(paint);
    canvas_request_frame();
}

}  // namespace

void frame_step(const PaintInfo& paint) {
    Frame frame;
    frame.dt = take_time_step();
    canvas_clear();
    paddle_stage(frame);
    ball_stage(frame);
    bullet_stage(frame);
    comb_stage(frame);
    bee_stage(frame);
    finish_picture(paint);
}
