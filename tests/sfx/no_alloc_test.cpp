// Once the stream is open, neither the refill nor play_effect allocates:
// every effect goes through the one read buffer, every block through the
// one block buffer. Counted with a replaced operator new.

#include "tests/sfx/effect_fixture.h"
#include "tests/support/counting_alloc.h"

using NoAllocation = EffectStream;

TEST_F(NoAllocation, AfterTheStreamOpens) {
    null_wave.record_blocks = false;  // the recording device would allocate, the game's does not
    WavBytes good;
    good.data = flat_frames(5000, 40);
    WavBytes chunky = good;
    chunky.chunks = chunk("LIST", 9, std::vector<uint8_t>(9, 1));
    WavBytes bad = good;
    bad.bits = 8;
    write_file(scratch->media("good.wav"), good.bytes());
    write_file(scratch->media("chunky.wav"), chunky.bytes());
    write_file(scratch->media("bad.wav"), bad.bytes());
    const std::string shipped_dir = std::string(WAXDROP_SOURCE_DIR) + "/media/";
    for (const char* name : {"doing.wav", "hit.wav", "brick.wav", "buzz.wav"})
        write_file(scratch->media(name), read_file(shipped_dir + name));

    // The counter does see operator new.
    const uint64_t probe = allocations_so_far();
    volatile size_t size = 100;
    std::vector<int> counted(size);
    ASSERT_EQ(allocations_so_far(), probe + 1);

    const uint64_t before = allocations_so_far();
    int32_t codes = 0;
    for (int frame = 0; frame < 40; ++frame) {
        for (const char16_t* name : {u"good.wav", u"chunky.wav", u"bad.wav", u"missing.wav", u"doing.wav",
                                     u"hit.wav", u"brick.wav", u"buzz.wav"})
            codes += play_effect(name);
        null_wave_notify(wave_done_notice);
    }
    const uint64_t after = allocations_so_far();

    EXPECT_EQ(after - before, 0u);
    EXPECT_EQ(codes, 40 * (0 + 0 + 14 + 4 + 0 + 0 + 0 + 0));
    EXPECT_EQ(null_wave.writes, 41);
}
