#pragma once
// The effect stream's device in the browser. Page thread only.

// Hand each block the device has taken to the game (the pump does, each turn).
void wave_out_deliver();
