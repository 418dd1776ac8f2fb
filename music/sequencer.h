#pragma once
// The sequencer: plays the music table in a loop, 10 file ticks per call of a
// 10 ms periodic timer, so one tick is one millisecond whatever the file says.
// Everything here runs on the window thread except music_tick and
// silence_channels, which run on the timer's thread.

#include <atomic>
#include <cstdint>

#include "platform/timer.h"

// Set while the output and the timer resolution are both held. Window thread.
extern bool music_open;
// The timer is to go on playing; cleared by stop_music to ask it to stop.
extern std::atomic<bool> music_running;
// No timer is playing; set by the timer's last call once the channels are quiet.
extern std::atomic<bool> music_stopped;
// File ticks, and the index of the next record to send. Written by the timer
// while it plays, by the window thread only while no timer calls.
extern int32_t music_clock;
extern int32_t music_position;

// Open the default MIDI output and ask for a 10 ms timer resolution; reopens when open.
void open_music();
// Stop the sequencer, give back the resolution, close the output.
void close_music();
// Ask a playing timer to stop and wait until its last call is over, then empty the table.
void stop_music();
// The timer callback (timer thread): advance the clock, send what is due, loop at the end.
void music_tick(TimerId id);
// All Sound Off and All Notes Off on each of the 16 channels, then music_stopped (timer thread).
void silence_channels();

// The music's part of game start after the output was opened: load the song
// and start the timer, when the output is open and the song was accepted.
void start_song();
// The music's part of game shutdown: close everything if the output is open.
void shutdown_music();
