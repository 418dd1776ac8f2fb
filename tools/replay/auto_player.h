#pragma once
// A simple player for soak runs and benchmarks: it keeps the paddle under the
// ball, a little late, aims each return a bit differently so the ball wanders
// over the whole field, resumes whenever the game pauses, and fires at bees
// that dive into the bullet's lane. It plays through the null pointer and the
// game's own input calls, so the game sees nothing but mouse input.

#include <cstdint>

struct AutoPlayer {
    float pointer = 320;      // where the "hand" holds the pointer, client x
    float aim = 0;            // paddle offset for the next return, pixels
    uint32_t seed = 2024;     // the player's own dice, apart from the game's
    bool ball_was_rising = false;
    // Let every n-th falling ball go (0: never), so that soak runs lose balls
    // and whole games too.
    int miss_every = 0;
    // Fire whenever no bullet flies, not only at a bee in the lane: the gun
    // runs dry, and the game must take clicks on an empty gun.
    bool spray = false;
    uint64_t descents = 0;
    bool dodging = false;
    uint64_t clicks = 0;       // clicks that resume or fire
    uint64_t shots = 0;
    // Clicks on an empty gun: the game must ignore them, so they are kept
    // apart from the clicks that count.
    uint64_t dry_shots = 0;
};

// Look at the field and act, between two frames.
void auto_player_act(AutoPlayer& player);
