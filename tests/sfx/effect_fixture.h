#pragma once
// A running effect stream over the hand-driven wave device, with a scratch
// media folder to put effect files in (built byte by byte, wav_bytes.h).

#include <gtest/gtest.h>

#include "platform/null/null_platform.h"
#include "platform/null/null_wave.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"
#include "tests/support/test_support.h"
#include "tests/support/wav_bytes.h"

class EffectStream : public testing::Test {
protected:
    void SetUp() override {
        close_effects();
        reset_null_platform();
        reset_null_wave();
        play_pos.store(0);
        scratch.emplace();
        open_effects();
        ASSERT_TRUE(effects_open);
    }
    void TearDown() override { close_effects(); }

    int32_t play(const Bytes& bytes) {
        write_file(scratch->media("fx.wav"), bytes);
        return play_effect(u"fx.wav");
    }
    static std::vector<int16_t> ring(uint32_t from, uint32_t count) {
        std::vector<int16_t> out;
        for (uint32_t i = 0; i < count; ++i) out.push_back(sample_ring[(from + i) & ring_mask].load());
        return out;
    }
    static bool ring_is_silent() { return ring(0, ring_samples) == std::vector<int16_t>(ring_samples); }
    std::optional<ScratchDir> scratch;
};
