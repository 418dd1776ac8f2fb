#pragma once
// Shared set-up for the score suites: an empty table, scripted dialogs and a
// scratch media folder per test.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"
#include "tests/support/test_support.h"

struct Entry {
    std::u16string name;
    int32_t score;
};

using Boxes = decltype(NullDialogs::boxes);  // (text, caption) of each message box

class ScoresTest : public testing::Test {
protected:
    void SetUp() override {
        reset_null_dialogs();
        std::memset(&score_table, 0, sizeof score_table);
    }

    static void set_table(const std::vector<Entry>& entries) {
        for (int i = 0; i < 3; ++i) {
            ScoreEntry& e = score_table.entries[i];
            std::memset(e.name, 0, sizeof e.name);
            entries[i].name.copy(e.name, entries[i].name.size());
            e.score = entries[i].score;
        }
    }
    static std::u16string line_of(int i) {
        char16_t line[high_score_line_capacity];
        format_high_score_line(score_table.entries[i], line);
        return line;
    }
    // Forget the table, read it back as the game does at start-up, and say
    // whether it came back unit for unit.
    static bool reloads_whole() {
        const ScoreTable before = score_table;
        std::memset(&score_table, 0, sizeof score_table);
        load_scores();
        return std::memcmp(&before, &score_table, sizeof before) == 0;
    }
    std::string file() const { return scratch.media("scores.bin"); }

    ScratchDir scratch;
};
