// The frame clock: the system's millisecond tick count, wrapping at 2^32.

#include <windows.h>

#include "platform/clock.h"

uint32_t clock_ms() { return GetTickCount(); }
