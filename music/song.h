#pragma once
// The song as the sequencer plays it: one flat table of timed MIDI short
// messages, filled once at start-up from "song.mid". Window thread, while no
// music timer runs; the timer's thread only reads it.

#include <cstdint>

struct MusicEvent {
    int32_t time;      // file ticks from the start of its track (or file, format 0)
    uint32_t message;  // status | first << 8 | second << 16, as midi_out_short takes it
};

constexpr int32_t music_event_capacity = 4096;

// Reserved for the whole run and never allocated; entries 0 .. count - 1 hold the song.
extern MusicEvent music_events[music_event_capacity];
extern int32_t music_event_count;  // 0 to music_event_capacity

// Append one record; dropped without notice once the table is full.
void add_music_event(int32_t time, uint8_t status, uint8_t first, uint8_t second);

// Append the events of media "song.mid". False only when a header chunk is
// rejected; a missing or unreadable song is true with nothing loaded.
bool load_song();
// The same for any file, for the media tools.
bool load_song_file(const char16_t* path);
