#pragma once
// The three best scores, their file, and the two dialogs that show and take
// them. Window thread only.

#include <cstdint>

#include "platform/dialogs.h"
#include "scores/score_entry.h"

extern ScoreTable score_table;
extern ScoreEntry pending_entry;

// Read "scores.bin" at start-up, or fall back to the defaults.
void load_scores();
// Read the table from the file at path (opened for reading only); true when it
// held three whole records, false when the defaults were put in instead.
bool load_scores_file(const char16_t* path);
// Write the table to "scores.bin": a new file beside it first, then put in its
// place in one step. Any failure leaves the old file as it was and says so in
// a message box.
void save_scores();
// At game over: enter a qualifying score (asking for a name) and save; true
// when it entered the table. A score that does not qualify changes nothing
// and shows nothing: the game says "GAME OVER" itself.
bool submit_score(int32_t score);
void insert_entry(int32_t score);

// One line of the High Scores dialog, "%i: %s.", with the score signed. A name
// with no zero in its 100 units is shown cut there.
constexpr int high_score_line_capacity = 11 + 3 + 100 + 1;
void format_high_score_line(const ScoreEntry& entry, char16_t* out);

bool high_scores_proc(DialogHandle dialog, DialogEvent event, int command);
bool new_score_proc(DialogHandle dialog, DialogEvent event, int command);
