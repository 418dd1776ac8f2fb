// The periodic music timer on Linux: one thread per timer that sleeps to
// absolute deadlines on the steady clock, so a late call does not push every
// later one back. The timer resolution is the kernel's own and needs no request.

#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/timer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct PosixTimer {
    TimerId id = 0;
    TimerCallback callback = nullptr;
    Clock::duration period{};
    std::mutex mutex;
    std::condition_variable wake;
    bool killed = false;  // under mutex
    std::thread thread;
};

// Live timers, and killed ones whose threads have not been joined yet. A
// timer usually kills itself from inside its callback, where its own thread
// cannot be joined; it is joined by the next timer_start or at exit instead.
struct TimerTable {
    std::mutex mutex;
    std::vector<std::shared_ptr<PosixTimer>> live;
    std::vector<std::shared_ptr<PosixTimer>> killed;
    TimerId next_id = 1;

    ~TimerTable() {
        for (auto& t : live) mark_killed(*t);
        for (auto& t : live) join(*t);
        for (auto& t : killed) join(*t);
    }
    static void mark_killed(PosixTimer& t) {
        {
            std::lock_guard<std::mutex> lock(t.mutex);
            t.killed = true;
        }
        t.wake.notify_all();
    }
    static void join(PosixTimer& t) {
        if (t.thread.joinable() && t.thread.get_id() != std::this_thread::get_id()) t.thread.join();
    }
};

TimerTable& table() {
    static TimerTable instance;
    return instance;
}

bool killed(PosixTimer& t) {
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.killed;
}

// A late call is a stumble in the music, so the timer thread asks to run
// ahead of ordinary threads, at the lowest real-time priority. Where the
// system refuses, it stays an ordinary thread and is merely less punctual.
void raise_priority() {
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

void run_timer(PosixTimer* t) {
    raise_priority();
    Clock::time_point deadline = Clock::now() + t->period;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(t->mutex);
            if (t->wake.wait_until(lock, deadline, [t] { return t->killed; })) return;
        }
        t->callback(t->id);
        if (killed(*t)) return;
        deadline += t->period;
        // After a long stall (a suspended machine) start afresh rather than
        // firing a burst of calls to catch up.
        const Clock::time_point now = Clock::now();
        if (now - deadline > 10 * t->period) deadline = now + t->period;
    }
}

// Join the threads of killed timers, other than the caller's own.
void reap_killed(TimerTable& tt) {
    std::vector<std::shared_ptr<PosixTimer>> done;
    {
        std::lock_guard<std::mutex> lock(tt.mutex);
        std::vector<std::shared_ptr<PosixTimer>> keep;
        for (auto& t : tt.killed)
            (t->thread.get_id() == std::this_thread::get_id() ? keep : done).push_back(t);
        tt.killed.swap(keep);
    }
    for (auto& t : done) TimerTable::join(*t);
}

}  // namespace

bool timer_begin_period(uint32_t) { return true; }
void timer_end_period(uint32_t) {}

TimerId timer_start(uint32_t period_ms, TimerCallback callback) {
    if (period_ms == 0 || !callback) return 0;
    TimerTable& tt = table();
    reap_killed(tt);
    auto t = std::make_shared<PosixTimer>();
    t->callback = callback;
    t->period = std::chrono::milliseconds(period_ms);
    std::lock_guard<std::mutex> lock(tt.mutex);
    t->id = tt.next_id++;
    if (tt.next_id == 0) tt.next_id = 1;
    // The thread starts under the table's lock, so it is stored before anyone can kill it.
    t->thread = std::thread(run_timer, t.get());
    tt.live.push_back(t);
    return t->id;
}

void timer_kill(TimerId id) {
    TimerTable& tt = table();
    std::lock_guard<std::mutex> lock(tt.mutex);
    for (size_t i = 0; i < tt.live.size(); ++i) {
        if (tt.live[i]->id != id) continue;
        TimerTable::mark_killed(*tt.live[i]);
        tt.killed.push_back(tt.live[i]);
        tt.live.erase(tt.live.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void sleep_ms(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
