// Steady-state frames allocate nothing: ten thousand frames of auto-play, with
// every allocation a frame makes counted.

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "tests/support/counting_alloc.h"
#include "tests/support/test_support.h"
#include "tools/replay/auto_play.h"

TEST(SteadyState, AutoPlayAllocatesOnlyWhereALevelIsLaidOut) {
    ScratchDir scratch;
    AutoPlay run;
    run.tick_ms = 20;
    run.trim_records = true;
    auto_play_start(run);
    // The recording stand-ins keep their records in containers; give them room
    // for the largest frame once, so only the game's own allocations count.
    null_canvas = NullCanvas{};
    null_canvas.blits.reserve(256);
    null_canvas.score_line.reserve(128);
    null_dialogs.boxes.reserve(64);
    null_dialogs.runs.reserve(64);
    null_pointer.calls.reserve(64);
    // Only frame_step is counted: the player's clicks between frames may make
    // the bullet.
    uint64_t before = 0, steady = 0, building = 0;
    int building_frames = 0;
    run.before_frame = [&] { before = allocations_so_far(); };
    run.after_frame = [&] {
        const uint64_t made = allocations_so_far() - before;
        building_frames += run.laid_out;
        (run.laid_out ? building : steady) += made;
    };
    auto_play_frames(run, 10000);
    auto_play_end(run);
    std::printf("10000 frames, levels laid out in %d of them (%llu allocations), steady frames %llu allocations\n",
                building_frames, static_cast<unsigned long long>(building), static_cast<unsigned long long>(steady));
    EXPECT_STREQ(run.broken, nullptr) << "frame " << run.broken_at << ": " << run.broken;
    EXPECT_EQ(steady, 0u);
    // The run must have gone through a level change for the count to mean much.
    EXPECT_GT(building, 0u);
}
