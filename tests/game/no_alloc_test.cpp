// Steady-state frames allocate nothing: ten thousand frames of auto-play, with
// every allocation a frame makes counted.

#include <gtest/gtest.h>

#include "game/frame.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_timer.h"
#include "scores/scores.h"
#include "tests/support/counting_alloc.h"
#include "tests/support/test_support.h"
#include "tools/replay/auto_player.h"

namespace {

TEST(SteadyState, AutoPlayAllocatesOnlyWhereALevelIsLaidOut) {
    reset_null_platform();
    reset_null_dialogs();
    ScratchDir scratch;
    reset_world();
    reset_null_timer();
    null_timer.on_sleep = [] { fire_null_timer(); };  // the song's last tick, at shutdown
    game_start();
    // The recording stand-ins keep their records in containers; give them room
    // for the largest frame once, so only the game's own allocations count.
    null_canvas = NullCanvas{};
    null_canvas.blits.reserve(256);
    null_canvas.score_line.reserve(128);
    null_dialogs.boxes.reserve(64);
    null_dialogs.runs.reserve(64);
    null_pointer.calls.reserve(4096);
    const PaintInfo paint{nullptr, {0, 0, field_width, field_height}};
    AutoPlayer player;
    null_clock.now = 1000;
    int building_frames = 0;  // frames in which setup_level laid out a level
    uint64_t steady = 0, building = 0;        // allocations in each kind of frame
    for (int frame = 0; frame < 10000; ++frame) {
        const int level = game.level;
        const size_t boxes = null_dialogs.boxes.size(), dialogs = null_dialogs.runs.size();
        auto_player_act(player);  // its clicks may make the bullet
        const Sprite* bees = bee_list.head;
        const uint64_t before_frame = allocations_so_far();
        null_clock.now += 20;
        frame_step(paint);
        const uint64_t made = allocations_so_far() - before_frame;
        // A level end, or either game over, lays out a new level.
        if (game.level != level || null_dialogs.boxes.size() != boxes || null_dialogs.runs.size() != dialogs ||
            bee_list.head != bees) {
            ++building_frames;
            building += made;
        } else {
            steady += made;
        }
    }
    std::printf("10000 frames, levels laid out in %d of them (%llu allocations), steady frames %llu allocations\n",
                building_frames, static_cast<unsigned long long>(building), static_cast<unsigned long long>(steady));
    EXPECT_EQ(steady, 0u);
    // The run must have gone through a level change for the count to mean much.
    EXPECT_GT(building, 0u);
    game_shutdown();
}

}  // namespace
