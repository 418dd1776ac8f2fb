// The effect stream over the hand-driven wave device: what it queues, what
// it copies and clears, and how it opens and closes.

#include <numeric>

#include "tests/sfx/effect_fixture.h"

namespace {

const std::vector<int16_t> silence(block_samples, 0);

std::vector<int16_t> ramp(int16_t first) {
    std::vector<int16_t> out(block_samples);
    std::iota(out.begin(), out.end(), first);
    return out;
}

void fill_ring(uint32_t from, const std::vector<int16_t>& values) {
    for (size_t i = 0; i < values.size(); ++i) sample_ring[(from + i) & ring_mask].store(values[i]);
}

}  // namespace

using Stream = EffectStream;

TEST_F(Stream, BlockSequenceFromOpenThroughReopenToClose) {
    EXPECT_EQ(null_wave.opens, 1);
    EXPECT_EQ(null_wave.prepares, 1);
    EXPECT_EQ(null_wave.block_bytes, 4096u);
    fill_ring(0, ramp(1));
    fill_ring(63488, ramp(-3000));
    EXPECT_EQ(null_wave.writes, 1);
    for (uint32_t turn = 1; turn <= 33; ++turn) {
        ASSERT_TRUE(null_wave_block_done());
        EXPECT_EQ(play_pos.load(), (turn * 2048) % 65536) << turn;
    }
    ASSERT_EQ(null_wave.written.size(), 34u);
    EXPECT_EQ(null_wave.written[0], silence);  // queued by the open
    EXPECT_EQ(null_wave.written[1], ramp(1));
    EXPECT_EQ(null_wave.written[2], silence);
    EXPECT_EQ(null_wave.written[32], ramp(-3000));  // ends exactly at the ring's end
    EXPECT_EQ(null_wave.written[33], silence);      // stretch 0 again, cleared a turn ago
    EXPECT_TRUE(ring_is_silent());
    // Opening an open stream starts a fresh, silent one at the same position.
    fill_ring(2048, ramp(1));
    open_effects();
    EXPECT_TRUE(effects_open);
    EXPECT_EQ(null_wave.closes, 1);
    EXPECT_EQ(null_wave.opens, 2);
    EXPECT_EQ(null_wave.blocks_allocated - null_wave.blocks_freed, 1);
    EXPECT_EQ(play_pos.load(), 2048u);
    EXPECT_TRUE(ring_is_silent());
    EXPECT_EQ(null_wave.written.back(), silence);
    EXPECT_EQ(null_wave.writes_while_queued, 0);
    // Closing twice releases once. The reset hands the queued block back with
    // a done notice, which must copy and queue nothing.
    fill_ring(2048, ramp(1));
    for (int i = 0; i < 2; ++i) {
        close_effects();
        SCOPED_TRACE(i);
        EXPECT_FALSE(effects_open);
        EXPECT_EQ(null_wave.resets, 2);
        EXPECT_EQ(null_wave.closes, 2);
        EXPECT_EQ(null_wave.blocks_freed, 2);
        EXPECT_EQ(null_wave.writes, 35);
        EXPECT_FALSE(null_wave.queued);
        EXPECT_EQ(play_pos.load(), 2048u);
        EXPECT_EQ(sample_ring, nullptr);
        EXPECT_EQ(read_buffer, nullptr);
    }
}

TEST_F(Stream, AStreamThatCannotStartRunsSilentAndKeepsNothing) {
    const struct {
        bool NullWave::*fail;
        int closes;
    } cases[] = {{&NullWave::fail_open, 0}, {&NullWave::fail_block_alloc, 1}, {&NullWave::fail_prepare, 1},
                 {&NullWave::fail_write, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        close_effects();
        reset_null_wave();
        null_wave.*c.fail = true;
        open_effects();
        EXPECT_FALSE(effects_open);
        EXPECT_FALSE(null_wave.is_open);
        EXPECT_EQ(null_wave.blocks_allocated, null_wave.blocks_freed);
        EXPECT_EQ(sample_ring, nullptr);
        EXPECT_EQ(play_effect(u"fx.wav"), 4);
        close_effects();
        EXPECT_EQ(null_wave.closes, c.closes);
    }
}
