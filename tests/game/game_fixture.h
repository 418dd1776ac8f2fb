#pragma once
// A running game on the null ports: a scripted clock and pointer, the
// recording canvas, the effect stream, and the dialogs with scripted answers.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "game/game_state.h"
#include "platform/canvas.h"
#include "tests/support/test_support.h"

// How often each effect was mixed into the stream.
struct Heard {
    int doing = 0, hit = 0, brick = 0, buzz = 0;
    bool operator==(const Heard&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Heard& h);

class GameTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One frame, ms after the previous one.
    void step(uint32_t ms = 10);
    void steps(int n, uint32_t ms = 10);
    // Let the game run without a click (a click would refresh mouse_x).
    void resume();

    Sprite& paddle() { return *paddle_list.head; }
    Sprite& ball() { return *ball_list.head; }
    void place_ball(float x, float y, float vx, float vy);
    void place_paddle(float x);
    // Replace the bees with attacking ones at these places, first listed = head.
    void bees_at(std::initializer_list<std::pair<float, float>> places, float vx = 0);
    int drawn(SpriteImage image) const;

    // The effects mixed since the last call.
    Heard heard();

    // Message boxes shown so far, and code to run while the next ones are open.
    int boxes() const;
    std::u16string last_box() const;
    void while_box_open(std::function<void()> hook);
    // The New High Score dialog: how often it ran, and the name it is given.
    int new_score_dialogs() const;
    void answer_new_score(const std::u16string& name);
    // The table, three entries best first.
    void table_scores(int32_t a, int32_t b, int32_t c);

    std::optional<ScratchDir> scratch;
    const PaintInfo paint{nullptr, {0, 0, field_width, field_height}};
};
