// Once the stream is open, neither the refill nor play_effect allocates:
// every effect goes through the one read buffer, every block through the
// one block buffer. Counted with a replaced operator new.

#include "tests/sfx/effect_fixture.h"
#include "tests/support/counting_alloc.h"

using NoAllocation = EffectStream;

TEST_F(NoAllocation, AfterTheStreamOpens) {
    null_wave.record_blocks = false;  // the recording device would allocate, the game's does not
    WavBytes w;
    w.data = flat_frames(5000, 40);
    w.after_format = chunk("LIST", 9, Bytes(9, 1));
    write_file(scratch->media("good.wav"), w.bytes());
    w.bits = 8;
    write_file(scratch->media("bad.wav"), w.bytes());
    for (const char* name : {"doing.wav", "hit.wav", "brick.wav", "buzz.wav"})
        write_file(scratch->media(name), read_file(std::string(WAXDROP_SOURCE_DIR) + "/media/" + name));

    // The counter does see operator new.
    const uint64_t probe = allocations_so_far();
    volatile size_t size = 100;
    std::vector<int> counted(size);
    ASSERT_EQ(allocations_so_far(), probe + 1);

    const uint64_t before = allocations_so_far();
    int32_t codes = 0;
    for (int frame = 0; frame < 40; ++frame) {
        for (const char16_t* name : {u"good.wav", u"bad.wav", u"missing.wav", u"doing.wav", u"hit.wav",
                                     u"brick.wav", u"buzz.wav"})
            codes += play_effect(name);
        null_wave_block_done();
    }
    EXPECT_EQ(allocations_so_far() - before, 0u);
    EXPECT_EQ(codes, 40 * (14 + 4));  // only bad.wav and missing.wav fail
    EXPECT_EQ(null_wave.writes, 41);
}
