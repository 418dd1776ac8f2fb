#pragma once
// The score record and the table of three, shared by the table's operations
// and the file codec. Plain data: nothing here reads, writes or ranks.

#include <cstdint>

// One record, exactly as in the file: 100 UTF-16 units of name, then the
// score. Ranks compare the score as unsigned; the dialog prints it signed.
#pragma pack(push, 1)
struct ScoreEntry {
    char16_t name[100];
    int32_t score;
};
#pragma pack(pop)
constexpr int score_record_size = 204;
static_assert(sizeof(ScoreEntry) == score_record_size, "a score record is 204 bytes");

struct ScoreTable {
    ScoreEntry entries[3];  // best first
};
