// A long auto-played run with the game's rules checked after every frame
// (tools/replay/auto_play): levels advance, balls are lost and games end (by
// the last ball and by stings), high scores are entered, the gun runs dry.
// Frames that lay out no level allocate nothing (every operator new is
// counted), and the heap stays flat from the first simulated minute to the
// last. Run under AddressSanitizer by test.sh; WAXDROP_SOAK_MINUTES sets the
// simulated time (default 10), WAXDROP_SOAK_TICK_MS the clock step (default 10).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
#define WAXDROP_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WAXDROP_HEAP_FROM_SANITIZER 1
#endif
#endif
#ifdef WAXDROP_HEAP_FROM_SANITIZER
// The sanitizer's runtime keeps this count; its header is not always installed.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif !defined(_WIN32)
#include <malloc.h>
#endif

#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "tests/support/counting_alloc.h"
#include "tests/support/test_support.h"
#include "tools/replay/auto_play.h"

namespace {

// Live heap bytes (the sanitizer's own count under ASan, whose quarantine
// would make the resident size grow for no fault of ours); not looked at on
// Windows, whose heap has no such count.
size_t heap_in_use() {
#ifdef WAXDROP_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
    return 1;
#else
    return mallinfo2().uordblks;
#endif
}

unsigned long env_or(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtoul(text, nullptr, 10) : fallback;
}

}  // namespace

TEST(SimulatedPlay, RulesHoldSteadyFramesAllocateNothingAndTheHeapStaysFlat) {
    const unsigned long minutes = env_or("WAXDROP_SOAK_MINUTES", 10);
    ASSERT_GE(minutes, 2u);
    AutoPlay run;
    run.tick_ms = static_cast<uint32_t>(env_or("WAXDROP_SOAK_TICK_MS", 10));
    run.player.miss_every = 40;  // lose some balls, and so whole games, yet clear levels
    run.player.spray = true;     // and run out of bullets
    run.answer_names = true;
    run.trim_records = true;
    ScratchDir scratch;
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
    uint64_t before = 0, steady = 0, laying_out = 0;
    const uint64_t frames_per_minute = 60000 / run.tick_ms;
    size_t heap_at_first_minute = 0, heap_peak_after = 0;
    run.before_frame = [&] { before = allocations_so_far(); };
    run.after_frame = [&] {
        (run.laid_out ? laying_out : steady) += allocations_so_far() - before;
        if (run.frames == frames_per_minute) heap_at_first_minute = heap_in_use();
        if (run.frames > frames_per_minute) heap_peak_after = std::max(heap_peak_after, heap_in_use());
    };
    auto_play_frames(run, minutes * frames_per_minute);
    const size_t heap_at_end = heap_in_use();
    auto_play_end(run);

    std::cout << minutes << " simulated minutes, " << run.frames << " frames of " << run.tick_ms << " ms: "
              << run.level_changes << " level changes, " << run.games_ended << " games ended, " << run.name_dialogs
              << " names entered, " << run.stings << " stings, " << run.player.dry_shots << " clicks on an empty gun; "
              << "allocations " << laying_out << " in frames that laid out a level, " << steady << " in the others; heap "
              << heap_at_first_minute << " bytes at minute 1, " << heap_at_end << " at the end, peak " << heap_peak_after
              << " after\n";
    EXPECT_STREQ(run.broken, nullptr) << "frame " << run.broken_at;
    EXPECT_EQ(steady, 0u);
    // A run that never went through these would check little of the rules,
    // and a count that saw no level laid out would mean little.
    EXPECT_GT(laying_out, 0u);
    EXPECT_GT(run.level_changes, 0u);
    EXPECT_GT(run.games_ended, 0u);
    EXPECT_GT(run.name_dialogs, 0u);
    EXPECT_GT(run.stings, 0u);
    EXPECT_GT(run.player.dry_shots, 0u);
    // A level's sprites come and go; a leak would add up over the run.
    ASSERT_GT(heap_at_first_minute, 0u);
    EXPECT_LE(heap_peak_after, heap_at_first_minute + 16 * 1024);
}
