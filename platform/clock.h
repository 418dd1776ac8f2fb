#pragma once
// The millisecond clock the frame step measures time with. Any thread.

#include <cstdint>

// Milliseconds since some fixed moment; wraps at 2^32, so callers subtract
// two readings as unsigned 32-bit numbers.
uint32_t clock_ms();
