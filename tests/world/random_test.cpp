#include <gtest/gtest.h>

#include <cstdint>

#include "game/random.h"

namespace {

// Seeds the generator so that its next value is r (found by search: the
// generator is a bijection on its state, so some small seed will do).
void make_next_draw(int r) {
    for (uint32_t seed = 0;; ++seed) {
        reset_game_rand(seed);
        if (game_rand() == r) {
            reset_game_rand(seed);
            return;
        }
    }
}

}  // namespace

TEST(Random, BelowScalesAndRoundsThroughFloat) {
    const struct { int r, n, expected; } cases[] = {
        {41, 100, 0},            // the first serve's drift
        {18467, 616, 347},       // and its column: 18467 * 616 / 32767 = 347.2
        {32767, 100, 99},        // the top draw is pulled back below n
        {32767, 1, 0},
        {32766, 100, 99},
        {0, 616, 0},
        // 16496 * 30000 / 32767 = 15102.99997, which rounds up to 15103 as a float
        {16496, 30000, 15103},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "r " << c.r << " n " << c.n);
        make_next_draw(c.r);
        EXPECT_EQ(random_below(c.n), c.expected);
    }
}
