#pragma once
// The music timer in the browser. Page thread only.

// Call every timer that is due (the pump does, each turn).
void timer_run_due();
