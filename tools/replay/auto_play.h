#pragma once
// The real game run headless frame after frame, as the simulated-play test
// and waxdrop-replay both run it: the clock moves a fixed
// tick per frame, the auto-player (when asked) acts before each, and after
// each the game's rules are checked against the frame before. The first rule
// a frame breaks is kept, with the frame's number, for the caller to report.

#include <cstdint>
#include <functional>

#include "tools/replay/auto_player.h"

struct AutoPlay {
    uint32_t tick_ms = 10;      // clock advance before each frame
    AutoPlayer player;
    // Answer every New High Score dialog with a name ("auto 1", "auto 2", ...)
    // and OK; otherwise the dialog opens with nothing to type and is given up.
    bool answer_names = false;
    // Empty the null ports' records (dialogs run, boxes shown, pointer calls)
    // before each frame, so that runs of hours do not grow them.
    bool trim_records = false;
    // Called right before and right after each frame_step (the rules are
    // checked in between, and allocate nothing); they look, they do not play.
    std::function<void()> before_frame, after_frame;

    uint64_t frames = 0;
    bool laid_out = false;      // the last frame laid out a new level or a new game
    // What the run went through.
    uint64_t level_changes = 0, games_ended = 0, name_dialogs = 0, stings = 0;
    // The first rule broken, and in which frame; null while every rule holds.
    const char* broken = nullptr;
    uint64_t broken_at = 0;
};

// Start the game as a shell does (game_start) on fresh null ports, the clock
// at 1000 ms. The executable's name the caller gave the null files (media
// and score paths start from it) is kept.
void auto_play_start(AutoPlay& run);
// Shut it down as a shell does (game_shutdown).
void auto_play_end(AutoPlay& run);
// n frames, the auto-player acting before each when player_acts is set.
void auto_play_frames(AutoPlay& run, uint64_t n, bool player_acts = true);
