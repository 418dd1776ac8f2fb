#pragma once
// The periodic music timer and the timer resolution that goes with it.
// Window thread, except the callback, which runs on a thread of the timer's own.

#include <cstdint>

using TimerId = uint32_t;  // 0 means no timer
using TimerCallback = void (*)(TimerId id);

// Ask for a timer resolution of ms; true on success. Pair with timer_end_period.
bool timer_begin_period(uint32_t ms);
void timer_end_period(uint32_t ms);
// Call callback every period_ms on the timer's thread until it is killed;
// returns 0 when no timer could be made.
TimerId timer_start(uint32_t period_ms, TimerCallback callback);
// Stop timer id. May be called from inside its own callback, and returns
// without waiting for a call that is under way.
void timer_kill(TimerId id);
// Let other threads run for ms milliseconds.
void sleep_ms(uint32_t ms);
