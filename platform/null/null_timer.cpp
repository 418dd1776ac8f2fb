#include "platform/null/null_timer.h"

NullTimer null_timer;

namespace {
TimerId next_id = 1;
}

void reset_null_timer() {
    null_timer = NullTimer{};
    next_id = 1;
}

bool fire_null_timer() {
    if (!null_timer.live || !null_timer.callback) return false;
    null_timer.callback(null_timer.live);
    return true;
}

int null_timer_call_count() {
    return null_timer.start_count + static_cast<int>(null_timer.killed.size() + null_timer.begin_periods.size() +
                                                     null_timer.end_periods.size() + null_timer.sleeps.size());
}

bool timer_begin_period(uint32_t ms) {
    null_timer.begin_periods.push_back(ms);
    return !null_timer.fail_begin_period;
}

void timer_end_period(uint32_t ms) { null_timer.end_periods.push_back(ms); }

TimerId timer_start(uint32_t period_ms, TimerCallback callback) {
    ++null_timer.start_count;
    null_timer.period_ms = period_ms;
    if (null_timer.fail_start) return 0;
    null_timer.live = next_id++;
    null_timer.callback = callback;
    return null_timer.live;
}

void timer_kill(TimerId id) {
    null_timer.killed.push_back(id);
    if (id == null_timer.live) {
        null_timer.live = 0;
        null_timer.callback = nullptr;
    }
}

void sleep_ms(uint32_t ms) {
    null_timer.sleeps.push_back(ms);
    if (null_timer.on_sleep) null_timer.on_sleep();
}
