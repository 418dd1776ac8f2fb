#include "tools/replay/auto_play.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/frame.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/dialogs.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_timer.h"

namespace {

// The world as a frame leaves it, as far as the rules look at it.
struct Seen {
    int32_t score, level, balls, bullets, ball_speed;
    bool paused;
    int paddles, balls_in_play, bullets_flying, combs, bees;
    Sprite paddle, ball;
    size_t boxes, new_score_dialogs;
};

size_t count_new_score_dialogs() {
    size_t n = 0;
    for (const NullDialogRun& run : null_dialogs.runs) n += run.template_id == dialog_new_score;
    return n;
}

Seen look() {
    Seen s{game.score, game.level, game.balls, game.bullets, game.ball_speed, game.paused,
           count(paddle_list), count(ball_list), count(bullet_list), count(comb_list), count(bee_list),
           {}, {}, null_dialogs.boxes.size(), count_new_score_dialogs()};
    if (paddle_list.head) s.paddle = *paddle_list.head;
    if (ball_list.head) s.ball = *ball_list.head;
    return s;
}

// One frame, before and after.
struct Step {
    const Seen& was;
    const Seen& is;
    bool game_ended;  // a GAME OVER box or a New High Score dialog: a new game was laid out
    bool level_changed;
    bool new_layout() const { return game_ended || level_changed; }
};

// A new level at 2 or 3 is 25 pixels per second faster, level 1 after level
// 3 is 50 faster; the last ball lost starts again at 200, a sting's game
// over keeps the speed.
bool speed_changes_only_with_the_level(const Step& s) {
    const int32_t change = s.is.ball_speed - s.was.ball_speed;
    if (s.game_ended) return s.is.ball_speed == 200 || change == 0;
    if (s.level_changed) return change == (s.is.level == 1 ? 50 : 25);
    return change == 0;
}

// Within a level the score moves by a point a honeycomb, 25 a shot bee, and
// -5 for each sting, at most one a bee.
int32_t stung(const Step& s) {
    const int32_t earned = (s.was.combs - s.is.combs) + 25 * (s.was.bees - s.is.bees);
    return earned - (s.is.score - s.was.score);
}

bool score_moves_by_the_rules(const Step& s) {
    const int32_t lost = stung(s);
    return s.new_layout() || (lost >= 0 && lost % 5 == 0 && lost <= 5 * s.was.bees);
}

bool balls_change_by_the_rules(const Step& s) {
    const int32_t change = s.is.balls - s.was.balls;
    if (s.new_layout()) return change <= 1;
    return change == 0 || (change == -1 && s.is.paused);  // a lost ball pauses
}

// Only laying out level 1 adds bullets, five; firing happens between frames.
bool bullets_change_by_the_rules(const Step& s) {
    const int32_t change = s.is.bullets - s.was.bullets;
    return change == 0 || (change == 5 && s.new_layout() && s.is.level == 1);
}

bool at_the_paddle(const Seen& s) { return s.ball.y > game.paddle_line && overlaps(s.paddle, s.ball); }

// A falling ball that meets the paddle leaves it upward, at four times the
// distance between the centres; a wall beyond may turn it back at once.
bool paddle_bounce_sends_the_ball_up(const Step& s) {
    if (s.new_layout() || !at_the_paddle(s.is)) return true;
    if (s.is.ball.vy >= 0) return false;
    if (s.was.ball.vy <= 0) return true;  // already rising: left alone
    const float vx = static_cast<float>((static_cast<double>(s.is.ball.x) - 20 - s.is.paddle.x) * 4);
    const bool beyond_a_wall = s.is.ball.x < 0 || s.is.ball.x > static_cast<float>(field_width - ball_size);
    return s.is.ball.vx == vx || (beyond_a_wall && s.is.ball.vx == -vx);
}

bool paused_frames_move_nothing(const Step& s) {
    if (!s.was.paused || s.new_layout()) return true;
    return s.is.ball.x == s.was.ball.x && s.is.ball.y == s.was.ball.y && s.is.paddle.x == s.was.paddle.x;
}

struct Rule {
    const char* broken;  // said when the rule does not hold
    bool (*holds)(const Step&);
};

const Rule rules[] = {
    {"the paddle and the ball are one sprite each",
     [](const Step& s) { return s.is.paddles == 1 && s.is.balls_in_play == 1; }},
    {"more than one bullet in flight", [](const Step& s) { return s.is.bullets_flying <= 1; }},
    {"balls outside 1 to 3", [](const Step& s) { return s.is.balls >= 1 && s.is.balls <= 3; }},
    {"bullets below zero", [](const Step& s) { return s.is.bullets >= 0; }},
    {"the score below zero after a frame", [](const Step& s) { return s.is.score >= 0; }},
    {"a game ended without its score going back to 0", [](const Step& s) { return !s.game_ended || s.is.score == 0; }},
    {"honeycombs or bees came back within a level",
     [](const Step& s) { return s.new_layout() || (s.is.combs <= s.was.combs && s.is.bees <= s.was.bees); }},
    {"the score moved other than by honeycombs, shot bees and stings", score_moves_by_the_rules},
    {"balls changed other than by a loss or a new layout", balls_change_by_the_rules},
    {"bullets changed within a frame other than by a level 1 layout", bullets_change_by_the_rules},
    {"the ball speed changed other than with the level or a game over", speed_changes_only_with_the_level},
    {"the ball does not move at the ball speed",
     [](const Step& s) { return std::fabs(s.is.ball.vy) == static_cast<float>(s.is.ball_speed); }},
    {"the ball left the paddle other than upward at four times its offset", paddle_bounce_sends_the_ball_up},
    {"a paused frame moved the ball or the paddle", paused_frames_move_nothing},
};

const char* first_broken_rule(const Step& s) {
    for (const Rule& rule : rules)
        if (!rule.holds(s)) return rule.broken;
    return nullptr;
}

void keep_names_coming(const AutoPlay& run) {
    if (!run.answer_names || !null_dialogs.script.empty()) return;
    const std::string name = "auto " + std::to_string(run.name_dialogs + 1);
    null_dialogs.script.push_back(null_type(item_name_edit, std::u16string(name.begin(), name.end())));
    null_dialogs.script.push_back(null_press(command_ok));
}

void one_frame(AutoPlay& run, bool player_acts) {
    keep_names_coming(run);
    if (run.trim_records) {
        null_dialogs.runs.clear();
        null_dialogs.boxes.clear();
        null_pointer.calls.clear();
    }
    if (player_acts) auto_player_act(run.player);
    const Seen was = look();
    if (run.before_frame) run.before_frame();
    null_clock.now += run.tick_ms;
    frame_step(PaintInfo{nullptr, {0, 0, field_width, field_height}});
    ++run.frames;
    const Seen is = look();
    const Step step{was, is, is.boxes > was.boxes || is.new_score_dialogs > was.new_score_dialogs,
                    is.level != was.level};
    run.laid_out = step.new_layout();
    run.level_changes += step.level_changed;
    run.games_ended += step.game_ended;
    run.name_dialogs += is.new_score_dialogs - was.new_score_dialogs;
    if (!step.new_layout()) run.stings += static_cast<uint64_t>(std::max(0, stung(step)) / 5);
    if (!run.broken) {
        run.broken = first_broken_rule(step);
        run.broken_at = run.frames;
    }
    if (run.after_frame) run.after_frame();
}

}  // namespace

void auto_play_start(AutoPlay& run) {
    const std::u16string exe = null_files.module_name;
    reset_null_platform();
    reset_null_dialogs();
    reset_world();
    null_files.module_name = exe;
    // The song (an empty one when there is no song file) plays on the null
    // timer, which calls only when told; when the shutdown waits for its last
    // tick, each sleep brings that tick, as time passing would a real one's.
    reset_null_timer();
    null_timer.on_sleep = [] { fire_null_timer(); };
    game_start();
    null_clock.now = 1000;
    run.frames = 0;
}

void auto_play_end(AutoPlay&) { game_shutdown(); }

void auto_play_frames(AutoPlay& run, uint64_t n, bool player_acts) {
    for (uint64_t i = 0; i < n; ++i) one_frame(run, player_acts);
}
