#pragma once
// A running game on the null ports: a scripted clock and pointer, the
// recording canvas, the effect stream on the null wave device, and the
// dialogs with scripted answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "game/frame.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_midi.h"
#include "platform/null/null_timer.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_wave.h"
#include "scores/scores.h"
#include "sfx/effect_stream.h"
#include "tests/support/test_support.h"
#include "tests/support/wav_bytes.h"

// What each effect adds to the mix: heard() is their sum over the effects
// mixed since the last look, so it tells how often each was mixed (up to 7).
constexpr int16_t doing_wav = 1, hit_wav = 8, brick_wav = 64, buzz_wav = 512;

// An effect of four stereo frames of one constant sample.
inline std::vector<uint8_t> constant_wav(int16_t value) {
    WavBytes w;
    w.data = flat_frames(4, value);
    return w.bytes();
}

class GameTest : public testing::Test {
protected:
    void SetUp() override {
        reset_null_platform();
        null_canvas = NullCanvas{};
        scratch.emplace();
        reset_null_dialogs();
        reset_null_wave();
        reset_null_midi();
        reset_null_timer();
        // With no song file an empty song plays; shutting it down waits for
        // the timer's last call, which the null timer makes only when told.
        null_timer.on_sleep = [] { fire_null_timer(); };
        play_pos.store(0);
        const std::pair<const char*, int16_t> effects[] = {
            {"doing.wav", doing_wav}, {"hit.wav", hit_wav}, {"brick.wav", brick_wav}, {"buzz.wav", buzz_wav}};
        for (const auto& [name, value] : effects) write_file(scratch->media(name), constant_wav(value));
        reset_world();
        game_start();
        ASSERT_TRUE(effects_open);
        score_table = ScoreTable{};  // three scores of 0
        null_clock.now = 100000;
        game.last_tick = null_clock.now;
    }
    void TearDown() override {
        game_shutdown();
        reset_world();
        scratch.reset();
    }

    // n frames, ms apart.
    void steps(int n = 1, uint32_t ms = 10) {
        for (int i = 0; i < n; ++i) {
            null_clock.now += ms;
            frame_step(paint);
        }
    }
    // Let the game run without a click (a click would refresh mouse_x).
    void resume() { if (game.paused) toggle_pause(); }
    Sprite& paddle() { return *paddle_list.head; }
    Sprite& ball() { return *ball_list.head; }
    void place_ball(float x, float y, float vx, float vy) {
        ball().x = x, ball().y = y, ball().vx = vx, ball().vy = vy;
    }
    void place_paddle(float x) { paddle().x = game.mouse_x = null_pointer.client_x = x; }
    // Attacking bees at these places, first listed = head.
    void bees_at(std::initializer_list<std::pair<float, float>> places, float vx = 0) {
        clear(bee_list);
        for (auto it = std::rbegin(places); it != std::rend(places); ++it)
            push_front(bee_list, it->first, it->second, bee_width, bee_height, vx, 100);
        game.bees_attacking = true;
    }
    // Each blit since the last clear: image, x, y, width, height.
    using Blit = std::tuple<SpriteImage, int, int, int, int>;
    static std::vector<Blit> blits() {
        std::vector<Blit> out;
        for (const auto& b : null_canvas.blits) out.emplace_back(b.image, b.x, b.y, b.w, b.h);
        return out;
    }
    static std::vector<SpriteImage> bee_images() {
        std::vector<SpriteImage> out;
        for (const auto& b : null_canvas.blits)
            if (b.image == SpriteImage::bee_a || b.image == SpriteImage::bee_b) out.push_back(b.image);
        return out;
    }
    int drawn(SpriteImage image) const {
        return static_cast<int>(std::count_if(null_canvas.blits.begin(), null_canvas.blits.end(),
                                              [&](const NullCanvas::Blit& b) { return b.image == image; }));
    }
    // Every effect of a frame starts at the play position and the null device
    // plays nothing unless told, so their sum stands there; take it and
    // silence the ring again.
    int heard() {
        const uint32_t at = play_pos.load();
        const int sum = sample_ring[at & ring_mask].load();
        for (uint32_t i = 0; i < 4; ++i) sample_ring[(at + i) & ring_mask].store(0);
        return sum;
    }
    int boxes() const { return static_cast<int>(null_dialogs.boxes.size()); }

    std::optional<ScratchDir> scratch;
    const PaintInfo paint{nullptr, {0, 0, field_width, field_height}};
};

// Playing, the paddle at 100, the ball still, out of everyone's way.
class Running : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resume();
        place_paddle(100);
        place_ball(500, 250, 0, 0);
    }
};
