#pragma once
// Shared set-up for the score suites: a fresh table, scripted dialogs and a
// scratch media folder per test.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"
#include "tests/support/test_support.h"

class ScoresTest : public testing::Test {
protected:
    void SetUp() override {
        reset_null_dialogs();
        std::memset(&score_table, 0, sizeof score_table);
        std::memset(&pending_entry, 0, sizeof pending_entry);
        real_write = score_file_write;
    }
    void TearDown() override { score_file_write = real_write; }

    static void set_entry(int i, const std::u16string& name, int32_t score) {
        ScoreEntry& e = score_table.entries[i];
        std::memset(e.name, 0, sizeof e.name);
        name.copy(e.name, name.size());
        e.score = score;
    }
    static std::u16string name_of(const ScoreEntry& e) { return std::u16string(e.name); }
    static std::u16string line_of(int i) {
        char16_t line[high_score_line_capacity];
        format_high_score_line(score_table.entries[i], line);
        return line;
    }

    ScratchDir scratch;
    decltype(score_file_write) real_write = nullptr;
};
