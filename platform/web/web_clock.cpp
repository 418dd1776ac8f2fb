// The frame step's millisecond clock in the browser: the page's monotonic
// clock (performance.now), cut to 32 bits so that it wraps at 2^32 as the
// system tick count the game was made for does.

#include <emscripten.h>

#include "platform/clock.h"

uint32_t clock_ms() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }
