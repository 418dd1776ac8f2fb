#pragma once
// The three best scores, their file, and the two dialogs that show and take
// them. Window thread only.

#include <cstdint>

#include "platform/dialogs.h"

// One record, exactly as in the file: 100 UTF-16 units of name, then the
// score. Ranks compare the score as unsigned; the dialog prints it signed.
#pragma pack(push, 1)
struct ScoreEntry {
    char16_t name[100];
    int32_t score;
};
#pragma pack(pop)
static_assert(sizeof(ScoreEntry) == 204, "a score record is 204 bytes");

struct ScoreTable {
    ScoreEntry entries[3];  // best first
};

extern ScoreTable score_table;
extern ScoreEntry pending_entry;

// Read "scores.bin" at start-up, or fall back to the defaults.
void load_scores();
// Write the table to "scores.bin".
void save_scores();
// At game over: enter a qualifying score (asking for a name) and save, or show
// "GAME OVER".
void submit_score(int32_t score);
void insert_entry(int32_t score);

bool high_scores_proc(DialogHandle dialog, DialogEvent event, int command);
bool new_score_proc(DialogHandle dialog, DialogEvent event, int command);
