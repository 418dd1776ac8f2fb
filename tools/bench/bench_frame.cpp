// One whole frame of the game on the software canvas, on each layout with the
// bees diving, beside a baseline that draws the same picture with no game
// logic at all: a clear, the same blits, the score line and the copy to the
// window. The two are timed in alternation within one run and their medians
// compared, so the machine's mood that minute affects both alike.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "game/draw.h"
#include "game/frame.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_timer.h"
#include "platform/soft/soft_canvas.h"

namespace {

const PaintInfo whole_field{nullptr, {0, 0, field_width, field_height}};

bool load_pictures() {
    static const bool loaded = [] {
        std::string error;
        return soft_load_images(WAXDROP_SOURCE_DIR "/resources/bitmaps", error) && soft_open_font("", error);
    }();
    return loaded;
}

// A running game on the given layout with the swarm roused. The ball crosses
// the field sideways just under the combs, so every comb is tested against it
// and none falls; the score is high enough that stings never end the game.
void set_up_level(int level) {
    reset_null_platform();
    reset_null_dialogs();
    reset_null_timer();
    null_timer.on_sleep = [] { fire_null_timer(); };  // the song's last tick, at shutdown
    reset_world();
    game_start();
    game.level = level;
    setup_level();
    toggle_pause();
    game.score = 1000000;
    game.bees_attacking = true;
    Sprite& ball = *ball_list.head;
    ball.x = 300;
    ball.y = 190;
    ball.vx = 150;
    ball.vy = 0;
    null_clock.now = 1000;
    game.last_tick = null_clock.now;
}

void one_frame() {
    null_clock.now += 10;
    frame_step(whole_field);
}

struct Blit {
    SpriteImage image;
    int x, y, w, h;
};

// The picture of the frame about to run, as plain blits.
std::vector<Blit> blits_of_world() {
    std::vector<Blit> out;
    auto add = [&](const Sprite* s, SpriteImage image) {
        if (s) out.push_back({image, sprite_pixel(s->x), sprite_pixel(s->y), s->width, s->height});
    };
    add(paddle_list.head, SpriteImage::paddle);
    add(ball_list.head, SpriteImage::ball);
    for (const Sprite* s = comb_list.head; s; s = s->next) add(s, SpriteImage::comb);
    for (const Sprite* s = bee_list.head; s; s = s->next) add(s, SpriteImage::bee_b);
    return out;
}

// The drawing alone: a clear, the blits and the score line.
void drawing_only(const std::vector<Blit>& blits, const char16_t* line) {
    canvas_clear();
    for (const Blit& b : blits) canvas_draw_sprite(b.image, b.x, b.y, b.w, b.h);
    canvas_draw_score_line(line);
}

// Everything the frame does on the canvas, the copy to the window included,
// and nothing else: what the frame is compared with.
void baseline_frame(const std::vector<Blit>& blits, const char16_t* line) {
    drawing_only(blits, line);
    canvas_present(whole_field);
    canvas_request_frame();
}

double median(std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

template <class F>
double time_us(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

void BM_FrameBesideBaseline(benchmark::State& state) {
    if (!load_pictures()) {
        state.SkipWithError("cannot load the bitmaps or the font");
        return;
    }
    set_up_level(static_cast<int>(state.range(0)));
    for (int i = 0; i < 100; ++i) one_frame();  // the swarm spreads out
    const std::vector<Blit> blits = blits_of_world();
    char16_t line[score_line_capacity];
    format_score_line(line);
    std::vector<double> frames, baselines, drawings;
    for (auto _ : state) {
        const double f = time_us(one_frame);
        const double b = time_us([&] { baseline_frame(blits, line); });
        const double d = time_us([&] { drawing_only(blits, line); });
        frames.push_back(f);
        baselines.push_back(b);
        drawings.push_back(d);
        state.SetIterationTime(f / 1e6);
    }
    const double frame_us = median(frames), baseline_us = median(baselines);
    state.counters["blits"] = static_cast<double>(blits.size());
    state.counters["frame_us"] = frame_us;
    state.counters["baseline_us"] = baseline_us;
    state.counters["draw_only_us"] = median(drawings);
    state.counters["logic_us"] = frame_us - baseline_us;
    state.counters["overhead_pct"] = 100.0 * (frame_us - baseline_us) / baseline_us;
    game_shutdown();
}
BENCHMARK(BM_FrameBesideBaseline)->Arg(1)->Arg(2)->Arg(3)->UseManualTime()->Iterations(20000);

// The floor the frame stands on, in parts: a bare clear, the copy to the
// window, and the score line when its text is unchanged (the usual case) and
// when it changes every frame.
void BM_Clear(benchmark::State& state) {
    for (auto _ : state) canvas_clear();
}
BENCHMARK(BM_Clear);

void BM_Present(benchmark::State& state) {
    for (auto _ : state) canvas_present(whole_field);
}
BENCHMARK(BM_Present);

void BM_ScoreLine(benchmark::State& state) {
    if (!load_pictures()) {
        state.SkipWithError("cannot load the bitmaps or the font");
        return;
    }
    reset_world();
    new_game();
    const bool changing = state.range(0) != 0;
    for (auto _ : state) {
        if (changing) game.score += 1;
        draw_score_line();
    }
    state.SetLabel(changing ? "text changes every time" : "same text (cached)");
}
BENCHMARK(BM_ScoreLine)->Arg(0)->Arg(1);

}  // namespace
