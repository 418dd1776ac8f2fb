#pragma once
// The game's random numbers: the runtime's classic rand, never seeded, so
// every run (and both builds) draws the same sequence. Window thread only.

#include <cstdint>

// Next value of the generator, 0 to 32767.
int game_rand();
// Start the sequence again from its unseeded beginning (tests and tools).
void reset_game_rand(uint32_t seed = 1);
// A draw in 0 to n - 1, for n > 0.
int random_below(int n);
