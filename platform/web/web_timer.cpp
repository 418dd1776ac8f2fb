// The music timer in the browser. The page has one thread, so a timer's calls
// are made by the shell's pump between frames: each turn calls every timer
// whose deadline has passed, one call per period, with deadlines kept on the
// page's clock so a late turn does not push the later calls back. A page that
// was held up (a hidden tab, a long stall) drops what it missed instead of
// sending a burst of the song at once. The resolution needs no request.

#include <emscripten.h>

#include <vector>

#include "platform/timer.h"
#include "platform/web/web_timer.h"

namespace {

struct WebTimer {
    TimerId id;
    TimerCallback callback;
    double period;
    double deadline;
    bool killed;
};

std::vector<WebTimer> timers;
TimerId next_id = 1;
// Calls one timer may make in one turn before the rest is dropped.
constexpr int most_calls_per_turn = 10;

}  // namespace

bool timer_begin_period(uint32_t) { return true; }
void timer_end_period(uint32_t) {}

TimerId timer_start(uint32_t period_ms, TimerCallback callback) {
    if (period_ms == 0 || !callback) return 0;
    const TimerId id = next_id++;
    timers.push_back({id, callback, static_cast<double>(period_ms), emscripten_get_now() + period_ms, false});
    return id;
}

void timer_kill(TimerId id) {
    for (WebTimer& t : timers)
        if (t.id == id) t.killed = true;
}

void timer_run_due() {
    const double now = emscripten_get_now();
    // By index: a callback may start or kill timers.
    for (size_t i = 0; i < timers.size(); ++i) {
        for (int calls = 0; !timers[i].killed && timers[i].deadline <= now; ++calls) {
            if (calls == most_calls_per_turn) {
                timers[i].deadline = now + timers[i].period;
                break;
            }
            timers[i].deadline += timers[i].period;
            timers[i].callback(timers[i].id);
        }
    }
    std::erase_if(timers, [](const WebTimer& t) { return t.killed; });
}

// The browser runs meanwhile (the page stays alive), and so do the timers:
// whoever sleeps here is waiting for one of them, as the song's stop does.
void sleep_ms(uint32_t ms) {
    emscripten_sleep(ms);
    timer_run_due();
}
