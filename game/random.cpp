#include "game/random.h"

namespace {
uint32_t rand_state = 1;
}

int game_rand() {
    rand_state = rand_state * 214013u + 2531011u;
    return static_cast<int>((rand_state >> 16) & 0x7FFF);
}

void reset_game_rand(uint32_t seed) { rand_state = seed; }

int random_below(int n) {
    const int r = game_rand();
    // Scaled in extended precision and rounded to float, as the game always
    // has; only r = 32767 can reach n itself, and that one is pulled back.
    const long double scaled = static_cast<long double>(r) * n / 32767.0L;
    float v = static_cast<float>(scaled);
    int k = static_cast<int>(v);
    if (k == n) {
        v = v - 1.0f;
        k = static_cast<int>(v);
    }
    return k;
}
