// Ranking at game over and the two dialogs, played through scripted dialogs.

#include "tests/scores/scores_fixture.h"

namespace {

struct Entry {
    std::u16string name;
    int32_t score;
};

class ScoreTableTest : public ScoresTest {
protected:
    void set_table(const std::vector<Entry>& entries) {
        for (int i = 0; i < 3; ++i) set_entry(i, entries[i].name, entries[i].score);
    }
    void expect_table(const std::vector<Entry>& entries) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(name_of(score_table.entries[i]), entries[i].name);
            EXPECT_EQ(score_table.entries[i].score, entries[i].score);
        }
    }
    // Game over with score, the player typing "new" and pressing OK if asked.
    void game_over_as_new(int32_t score) {
        null_dialogs.script = {null_type(1000, u"new"), null_press(command_ok)};
        submit_score(score);
    }
    const NullDialogRun& only_run() {
        EXPECT_EQ(null_dialogs.runs.size(), 1u);
        return null_dialogs.runs.back();
    }
};

struct Ranking {
    const char* what;
    std::vector<Entry> before;
    int32_t score;
    std::vector<Entry> after;
};

TEST_F(ScoreTableTest, QualifyingScoresTakeTheirRank) {
    const Ranking cases[] = {
        {"ties go below", {{u"a", 50}, {u"b", 30}, {u"c", 10}}, 30, {{u"a", 50}, {u"b", 30}, {u"new", 30}}},
        {"between", {{u"a", 50}, {u"b", 30}, {u"c", 10}}, 31, {{u"a", 50}, {u"new", 31}, {u"b", 30}}},
        {"top", {{u"a", 50}, {u"b", 30}, {u"c", 10}}, 51, {{u"new", 51}, {u"a", 50}, {u"b", 30}}},
        {"defaults", {{u"open", 0}, {u"open", 0}, {u"open", 0}}, 1, {{u"new", 1}, {u"open", 0}, {u"open", 0}}},
        {"unsigned", {{u"big", INT32_MIN}, {u"b", 30}, {u"c", 10}}, 1000,
         {{u"big", INT32_MIN}, {u"new", 1000}, {u"b", 30}}},
    };
    for (const Ranking& c : cases) {
        SCOPED_TRACE(c.what);
        reset_null_dialogs();
        set_table(c.before);
        game_over_as_new(c.score);
        expect_table(c.after);
        EXPECT_TRUE(null_dialogs.boxes.empty());
        EXPECT_EQ(only_run().template_id, dialog_new_score);
        EXPECT_TRUE(file_exists(scratch.media("scores.bin")));
    }
    EXPECT_EQ(line_of(0), u"-2147483648: big.");
}

TEST_F(ScoreTableTest, ScoresNotAboveThirdShowGameOver) {
    const Ranking cases[] = {
        {"equal is not enough", {{u"a", 50}, {u"b", 30}, {u"c", 10}}, 10, {{u"a", 50}, {u"b", 30}, {u"c", 10}}},
        {"zero on defaults", {{u"open", 0}, {u"open", 0}, {u"open", 0}}, 0,
         {{u"open", 0}, {u"open", 0}, {u"open", 0}}},
        {"below a stored 2147483648", {{u"a", INT32_MIN}, {u"b", INT32_MIN}, {u"c", INT32_MIN}}, INT32_MAX,
         {{u"a", INT32_MIN}, {u"b", INT32_MIN}, {u"c", INT32_MIN}}},
    };
    for (const Ranking& c : cases) {
        SCOPED_TRACE(c.what);
        reset_null_dialogs();
        set_table(c.before);
        game_over_as_new(c.score);
        expect_table(c.after);
        ASSERT_EQ(null_dialogs.boxes.size(), 1u);
        EXPECT_EQ(null_dialogs.boxes[0].first, u"GAME OVER");
        EXPECT_EQ(null_dialogs.boxes[0].second, u"Pinecastle");
        EXPECT_TRUE(null_dialogs.runs.empty());
        EXPECT_FALSE(file_exists(scratch.media("scores.bin")));
    }
}

// How the player leaves the New High Score dialog, and the name it enters.
struct NameCase {
    const char* what;
    std::vector<NullDialogStep> steps;
    std::u16string name;
    intptr_t result;
};

TEST_F(ScoreTableTest, NewScoreDialogTakesTheName) {
    const std::u16string long_name(120, u'n');
    const NameCase cases[] = {
        {"OK with a name", {null_type(1000, u"Ann"), null_press(command_ok)}, u"Ann", command_ok},
        {"OK as preset", {null_press(command_ok)}, u"anonymous", command_ok},
        {"OK emptied", {null_type(1000, u""), null_press(command_ok)}, u"", command_ok},
        {"Cancel after typing", {null_type(1000, u"Bob"), null_press(command_cancel)}, u"anonymous", command_cancel},
        {"120 characters", {null_type(1000, long_name), null_press(command_ok)}, long_name.substr(0, 99), command_ok},
        {"other commands first", {null_press(1000), null_type(1000, u"Cy"), null_press(command_ok)}, u"Cy",
         command_ok},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        reset_null_dialogs();
        set_table({{u"a", 50}, {u"b", 30}, {u"c", 10}});
        null_dialogs.script.assign(c.steps.begin(), c.steps.end());
        submit_score(77);
        const NullDialogRun& run = only_run();
        EXPECT_EQ(run.shown.at(1000), u"anonymous");
        EXPECT_EQ(run.result, c.result);
        EXPECT_FALSE(run.abandoned);
        EXPECT_TRUE(run.answers.front());                           // init
        EXPECT_TRUE(run.answers.back());                            // the closing command
        EXPECT_EQ(name_of(score_table.entries[0]), c.name);
        EXPECT_EQ(score_table.entries[0].score, 77);
        EXPECT_EQ(line_of(0), u"77: " + c.name + u".");
    }
}

TEST_F(ScoreTableTest, HighScoresShowsTheTableAndClosesOnlyOnOk) {
    set_table({{u"Ann", 2573}, {u"\u041A", 26}, {u"", -5}});
    null_dialogs.script = {null_press(command_cancel), null_press(1001), null_press(command_ok)};
    dialog_run(dialog_high_scores, high_scores_proc);
    const NullDialogRun& run = only_run();
    EXPECT_EQ(run.shown.at(1001), u"2573: Ann.");
    EXPECT_EQ(run.shown.at(1002), u"26: \u041A.");
    EXPECT_EQ(run.shown.at(1003), u"-5: .");
    EXPECT_EQ(run.answers, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(run.result, command_ok);

    // Esc alone never closes it; the scripted player gives up instead.
    reset_null_dialogs();
    null_dialogs.script = {null_press(command_cancel)};
    dialog_run(dialog_high_scores, high_scores_proc);
    EXPECT_TRUE(only_run().abandoned);
    EXPECT_FALSE(only_run().ended);
}

TEST_F(ScoreTableTest, GameOverBoxRunsItsHookWhileOpen) {
    load_scores();
    int frames = 0;
    null_dialogs.while_box_open = [&] {
        ++frames;
        EXPECT_EQ(null_dialogs.boxes.size(), 1u);
    };
    submit_score(0);
    EXPECT_EQ(frames, 1);
}

}  // namespace
