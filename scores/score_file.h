#pragma once
// The score file's bytes: the 612-byte image of the table, records field by
// field in little-endian order, with every 0x0A stored as 0x0D 0x0A. The game,
// both dialogs and waxdrop-media all go through this one codec. Any thread.

#include <cstddef>
#include <cstdint>

#include "scores/score_entry.h"

constexpr int score_image_size = 3 * score_record_size;
// The longest file the image can make: every byte a 0x0A. It is also all the
// loader ever needs to read, since 612 image bytes never take more.
constexpr int score_file_capacity = 2 * score_image_size;

// Write the table into out (score_file_capacity bytes); returns the length.
int encode_score_file(const ScoreTable& table, uint8_t* out);
// Read the file's bytes into table, record by record. Unless three whole
// records were there, all three entries get the defaults; true when loaded.
bool decode_score_file(const uint8_t* bytes, size_t size, ScoreTable& table);
// Score 0 and "open" at the start of every name; the units after its zero
// keep what they held.
void set_default_scores(ScoreTable& table);
