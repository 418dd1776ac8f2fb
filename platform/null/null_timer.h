#pragma once
// A periodic timer that only calls when the test says so, and a record of the
// resolution requests and sleeps. Single-threaded tests only: fire_null_timer
// runs the callback on the caller's thread.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/timer.h"

struct NullTimer {
    bool fail_start = false;               // timer_start returns 0
    bool fail_begin_period = false;        // timer_begin_period reports failure
    TimerCallback callback = nullptr;      // of the live timer
    TimerId live = 0;                      // the live timer's id, 0 when none
    uint32_t period_ms = 0;                // of the last timer_start
    int start_count = 0;                   // timer_start calls, failed ones included
    std::vector<TimerId> killed;           // timer_kill arguments, in order
    std::vector<uint32_t> begin_periods;   // timer_begin_period arguments
    std::vector<uint32_t> end_periods;     // timer_end_period arguments
    std::vector<uint32_t> sleeps;          // sleep_ms arguments
    std::function<void()> on_sleep;        // run inside each sleep_ms, e.g. to fire the timer
};
extern NullTimer null_timer;

void reset_null_timer();
// Make one call of the live timer's callback; false when no timer is live.
bool fire_null_timer();
// Every call made into the timer port, for "nothing at all happened" checks.
int null_timer_call_count();
