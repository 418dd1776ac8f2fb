// The frame step's millisecond clock: SDL's tick count, which wraps at 2^32
// like the system tick count the game was made for.

#include <SDL.h>

#include "platform/clock.h"

uint32_t clock_ms() { return SDL_GetTicks(); }
