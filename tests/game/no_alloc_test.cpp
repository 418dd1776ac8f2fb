// Steady-state frames allocate nothing: ten thousand frames of auto-play,
// with every allocation counted and put down to the frame, or the input
// before it, that made it.

#include <gtest/gtest.h>

#include "game/frame.h"
#include "game/game_state.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"
#include "tests/support/counting_alloc.h"
#include "tests/support/test_support.h"
#include "tools/replay/auto_player.h"

namespace {

struct Tally {
    int frames = 0;
    int building_frames = 0;   // frames in which setup_level laid out a level
    uint64_t steady = 0;       // allocations in all other frames
    uint64_t building = 0;
    uint64_t input = 0;        // allocations by the player's clicks between frames
};

// Did this frame lay out a new level (level end, or either game over)?
bool built_a_level(int level_before, size_t boxes_before, size_t dialogs_before, const Sprite* bees_before) {
    return game.level != level_before || null_dialogs.boxes.size() != boxes_before ||
           null_dialogs.runs.size() != dialogs_before || bee_list.head != bees_before;
}

TEST(SteadyState, AutoPlayAllocatesOnlyWhereALevelIsLaidOut) {
    reset_null_platform();
    reset_null_dialogs();
    ScratchDir scratch;
    reset_world();
    load_scores();
    new_game();
    // The recording canvas keeps its records in containers; give them room
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
    Tally t;
    for (; t.frames < 10000; ++t.frames) {
        const int level = game.level;
        const size_t boxes = null_dialogs.boxes.size(), dialogs = null_dialogs.runs.size();
        const uint64_t before_input = allocations_so_far();
        auto_player_act(player);
        const Sprite* bees = bee_list.head;
        const uint64_t before_frame = allocations_so_far();
        null_clock.now += 20;
        frame_step(paint);
        const uint64_t made = allocations_so_far() - before_frame;
        t.input += before_frame - before_input;
        if (built_a_level(level, boxes, dialogs, bees)) {
            ++t.building_frames;
            t.building += made;
        } else {
            t.steady += made;
        }
    }
    std::printf("frames %d, levels laid out in %d of them (%llu allocations), steady frames %llu "
                "allocations, input %llu allocations (bullets made)\n",
                t.frames, t.building_frames, static_cast<unsigned long long>(t.building),
                static_cast<unsigned long long>(t.steady), static_cast<unsigned long long>(t.input));
    EXPECT_EQ(t.steady, 0u);
    // The run must have gone through a level change for the count to mean much.
    EXPECT_GE(t.building_frames, 1);
    EXPECT_GT(t.building, 0u);
}

}  // namespace
