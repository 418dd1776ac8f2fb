// waxdrop-timer-jitter [SECONDS]: runs the music timer at 10 ms for SECONDS
// (30 by default) and prints how far the intervals between its calls stray
// from 10 ms. A measurement for people tuning the machine, not a test: the
// figures depend on how busy the machine is.

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/timer.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<Clock::time_point> stamps;
std::atomic<size_t> stamp_count{0};
int timer_policy = -1;  // written by the first call, read after the timer is gone

void record(TimerId) {
    const size_t i = stamp_count.load(std::memory_order_relaxed);
    if (i == 0) {
        sched_param param{};
        pthread_getschedparam(pthread_self(), &timer_policy, &param);
    }
    if (i < stamps.size()) {
        stamps[i] = Clock::now();
        stamp_count.store(i + 1, std::memory_order_release);
    }
}

double percentile(const std::vector<double>& sorted, double p) {
    const size_t i = static_cast<size_t>(std::lround(p / 100.0 * static_cast<double>(sorted.size() - 1)));
    return sorted[i];
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    if (argc > 2 || seconds <= 0) {
        std::fprintf(stderr, "usage: waxdrop-timer-jitter [SECONDS]\n");
        return 2;
    }
    stamps.resize(static_cast<size_t>(seconds) * 100 + 1000);
    timer_begin_period(10);
    const TimerId id = timer_start(10, record);
    if (!id) {
        std::fprintf(stderr, "waxdrop-timer-jitter: no timer\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    timer_kill(id);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    timer_end_period(10);

    const size_t n = stamp_count.load(std::memory_order_acquire);
    if (n < 3) {
        std::fprintf(stderr, "waxdrop-timer-jitter: only %zu calls\n", n);
        return 1;
    }
    std::vector<double> intervals, deviations;
    for (size_t i = 1; i < n; ++i) {
        const double ms = std::chrono::duration<double, std::milli>(stamps[i] - stamps[i - 1]).count();
        intervals.push_back(ms);
        deviations.push_back(std::fabs(ms - 10.0));
    }
    std::sort(intervals.begin(), intervals.end());
    std::sort(deviations.begin(), deviations.end());
    const double span = std::chrono::duration<double, std::milli>(stamps[n - 1] - stamps[0]).count();

    std::printf("calls              %zu in %d s\n", n, seconds);
    std::printf("timer thread       %s\n", timer_policy == SCHED_FIFO ? "real-time (SCHED_FIFO)" : "ordinary (no real-time priority)");
    std::printf("mean interval      %.4f ms\n", span / static_cast<double>(n - 1));
    std::printf("median interval    %.4f ms\n", percentile(intervals, 50));
    std::printf("1st..99th pct      %.4f .. %.4f ms\n", percentile(intervals, 1), percentile(intervals, 99));
    std::printf("99th pct deviation %.4f ms\n", percentile(deviations, 99));
    std::printf("max deviation      %.4f ms\n", deviations.back());
    std::printf("shortest, longest  %.4f, %.4f ms\n", intervals.front(), intervals.back());
    return 0;
}
