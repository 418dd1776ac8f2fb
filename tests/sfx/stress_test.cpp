// The window thread mixes effects and opens and closes the stream while the
// device's thread keeps delivering done notices. Under ThreadSanitizer any
// unguarded sharing of the ring, the play position, the open flag or the
// buffers shows up as a race or a use after free.

#include <thread>

#include "tests/sfx/effect_fixture.h"

using StreamStress = EffectStream;

TEST_F(StreamStress, MixingAndClosingWhileTheDeviceRefills) {
    constexpr int16_t value = 1000;
    WavBytes w;
    w.data = flat_frames(3000, value);
    write_file(scratch->media("fx.wav"), w.bytes());

    std::atomic<bool> stop{false};
    std::atomic<int> refills{0};
    std::thread device([&] {
        while (!stop.load())
            if (null_wave_block_done()) refills.fetch_add(1);
            else std::this_thread::yield();
    });
    int played = 0;
    for (int round = 0; round < 150; ++round) {
        for (int i = 0; i < 6; ++i, std::this_thread::yield())
            if (effects_open && play_effect(u"fx.wav") == 0) ++played;
        if (round % 3 == 0) close_effects();
        if (round % 3 != 1) open_effects();  // also reopens an open stream
    }
    close_effects();
    stop.store(true);
    device.join();

    EXPECT_GT(played, 0);
    EXPECT_GT(refills.load(), 0);
    EXPECT_EQ(null_wave.blocks_allocated, null_wave.blocks_freed);
    EXPECT_EQ(sample_ring, nullptr);
    // Every sample heard is a whole number of overlapping effects, saturated:
    // nothing half-written.
    for (const std::vector<int16_t>& block : null_wave.written)
        for (int16_t s : block) ASSERT_TRUE(s % value == 0 || s == 32767) << s;
}
