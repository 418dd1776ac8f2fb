// A long auto-played run with the game's rules checked after every frame:
// levels advance, balls are lost and games end (by the last ball and by
// stings), high scores are entered with scripted names, and the heap stays
// flat from the first simulated minute to the last. Run under AddressSanitizer
// by test.sh; WAXDROP_SOAK_MINUTES sets the simulated time (default 10) and
// WAXDROP_SOAK_TICK_MS the clock step per frame (default 10).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
#else
#include <malloc.h>
#endif

#include "game/frame.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_timer.h"
#include "scores/scores.h"
#include "tests/support/test_support.h"
#include "tools/replay/auto_player.h"

namespace {

// Live heap bytes (the sanitizer's own count under ASan, whose quarantine
// would make the resident size grow for no fault of ours).
size_t heap_in_use() {
#ifdef WAXDROP_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

int length(const SpriteList& list) {
    int n = 0;
    for (const Sprite* s = list.head; s; s = s->next) ++n;
    return n;
}

unsigned long env_or(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtoul(text, nullptr, 10) : fallback;
}

// What a frame may change, seen from outside.
struct Seen {
    int32_t level, score;
    int combs, bees;
};

Seen look() { return {game.level, game.score, length(comb_list), length(bee_list)}; }

}  // namespace

TEST(SimulatedPlay, RulesHoldAfterEveryFrameAndTheHeapStaysFlat) {
    const unsigned long minutes = env_or("WAXDROP_SOAK_MINUTES", 10);
    const uint32_t tick = static_cast<uint32_t>(env_or("WAXDROP_SOAK_TICK_MS", 10));
    ASSERT_GE(minutes, 2u);
    const uint64_t frames_per_minute = 60000 / tick;
    const uint64_t frames = minutes * frames_per_minute;

    reset_null_platform();
    reset_null_dialogs();
    ScratchDir scratch;
    reset_world();
    reset_null_timer();
    // A real timer keeps calling while shutdown waits for the music to stop.
    null_timer.on_sleep = [] { fire_null_timer(); };
    game_start();
    null_canvas = NullCanvas{};
    AutoPlayer player;
    player.miss_every = 40;  // lose some balls, and so whole games, yet clear levels
    const PaintInfo paint{nullptr, {0, 0, field_width, field_height}};
    null_clock.now = 1000;

    uint64_t levels = 0, games = 0, names = 0, stings = 0;
    size_t heap_at_first_minute = 0, heap_peak_after = 0;
    for (uint64_t frame = 1; frame <= frames; ++frame) {
        // Every New High Score dialog is answered with the next name.
        if (null_dialogs.script.empty()) {
            null_dialogs.script.push_back(null_type(item_name_edit, u"soak " + u16(std::to_string(names))));
            null_dialogs.script.push_back(null_press(command_ok));
        }
        // The recorders keep only this frame's records, so they do not grow.
        null_dialogs.runs.clear();
        null_dialogs.boxes.clear();
        null_canvas.blits.clear();
        null_pointer.calls.clear();

        const Seen before = look();
        auto_player_act(player);
        null_clock.now += tick;
        frame_step(paint);
        const Seen after = look();
        // Each game ends in a GAME OVER box or a New High Score dialog.
        const bool game_ended = !null_dialogs.boxes.empty() || !null_dialogs.runs.empty();
        games += game_ended;
        for (const NullDialogRun& run : null_dialogs.runs) names += run.template_id == dialog_new_score;
        const bool new_layout = game_ended || after.level != before.level;
        levels += after.level != before.level;

        ASSERT_GE(game.balls, 0) << frame;
        ASSERT_LE(game.balls, 3) << frame;
        ASSERT_EQ(length(paddle_list), 1) << frame;
        ASSERT_EQ(length(ball_list), 1) << frame;
        ASSERT_LE(length(bullet_list), 1) << frame;
        if (!new_layout) {
            ASSERT_LE(after.combs, before.combs) << frame;
        }
        // Within a game the score only falls by stings, 5 points a bee, and a
        // sting that takes it below zero ends the game there.
        ASSERT_GE(game.score, 0) << frame;
        if (!game_ended && after.score < before.score) {
            const int32_t lost = before.score - after.score;
            ASSERT_EQ(lost % 5, 0) << frame;
            ASSERT_LE(lost, 5 * before.bees) << frame;
            stings += static_cast<uint64_t>(lost / 5);
        }
        if (frame == frames_per_minute) heap_at_first_minute = heap_in_use();
        if (frame > frames_per_minute) heap_peak_after = std::max(heap_peak_after, heap_in_use());
    }
    const size_t heap_at_end = heap_in_use();
    game_shutdown();

    std::printf("%lu simulated minutes, %llu frames of %u ms: %llu level changes, %llu games ended, "
                "%llu names entered, %llu stings; heap %zu bytes at minute 1, %zu at the end, "
                "peak %zu after minute 1\n",
                minutes, static_cast<unsigned long long>(frames), tick, static_cast<unsigned long long>(levels),
                static_cast<unsigned long long>(games), static_cast<unsigned long long>(names),
                static_cast<unsigned long long>(stings), heap_at_first_minute, heap_at_end, heap_peak_after);
    // A run that never changed level or ended a game would check little.
    EXPECT_GT(levels, 0u);
    EXPECT_GT(games, 0u);
    // A level's sprites come and go; a leak would add up over the run.
    ASSERT_GT(heap_at_first_minute, 0u);
    EXPECT_LE(heap_peak_after, heap_at_first_minute + 16 * 1024);
}
