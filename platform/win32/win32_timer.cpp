// The music timer: a periodic multimedia timer at 10 ms, with the system's
// timer resolution raised to match while the music is open.

#include <windows.h>
#include <mmsystem.h>

#include "platform/timer.h"

namespace {

// The core's callback travels as the timer's user value.
void CALLBACK timer_trampoline(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<TimerCallback>(user)(id);
}

}  // namespace

bool timer_begin_period(uint32_t ms) { return timeBeginPeriod(ms) == TIMERR_NOERROR; }

void timer_end_period(uint32_t ms) { timeEndPeriod(ms); }

TimerId timer_start(uint32_t period_ms, TimerCallback callback) {
    return timeSetEvent(period_ms, period_ms, timer_trampoline, reinterpret_cast<DWORD_PTR>(callback),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
}

// Killing from inside the callback is allowed and does not wait.
void timer_kill(TimerId id) { timeKillEvent(id); }

void sleep_ms(uint32_t ms) { Sleep(ms); }
