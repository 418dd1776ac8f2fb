#pragma once
// The replay session: the game started as the shell starts it, on the null
// ports and the software canvas, with a clock that moves only when told.

#include <cstdint>
#include <string>

#include "tools/replay/auto_play.h"

struct Replay {
    AutoPlay play;              // the game's frames, clock step, player and rules
    std::string out_dir = ".";  // where snapshots go
    int failures = 0;           // expectations that did not hold
};

// A fresh game, started as the shell starts it (game_start) with its media in
// media_dir/media (created if missing): paused, the clock at 1000 ms.
void start_replay(Replay& r, const std::string& media_dir);
// The game shut down as the shell shuts it down (game_shutdown).
void end_replay(Replay& r);
// Frames, each play.tick_ms after the one before; with the auto-player
// acting before each when auto_play is set. A broken rule is kept in play.
void run_frames(Replay& r, uint64_t n, bool auto_play);
// Write the window's picture as a PNG; false when it cannot.
bool snapshot(const Replay& r, const std::string& file);
// The counters, one line: "frames N score N level N ...".
std::string counters(const Replay& r);
// Run the commands of a script file; false when it cannot be read or a line
// makes no sense (said on stderr). Failed expectations count in r.failures.
bool run_script(Replay& r, const std::string& path);
