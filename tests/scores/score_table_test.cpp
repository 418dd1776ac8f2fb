// Game over: ranking, the New High Score dialog and the High Scores dialog,
// played through scripted dialogs.

#include <cstdio>

#include "tests/scores/scores_fixture.h"

namespace {

using Lines = std::vector<std::u16string>;
using Steps = std::vector<NullDialogStep>;

struct GameOver {
    const char* what;
    std::vector<Entry> before;
    int32_t score;
    bool entered;
    Steps player;  // in the New High Score dialog
    Lines after;
};

// Scores compare unsigned: a stored 2147483648 outranks every score a game
// can reach, though the dialog prints it as -2147483648.
TEST_F(ScoresTest, GameOverEntersQualifyingScores) {
    const std::vector<Entry> table = {{u"a", 50}, {u"b", 30}, {u"c", 10}};
    const std::vector<Entry> all_big(3, Entry{u"x", INT32_MIN});
    const Steps ok_new = {null_type(item_name_edit, u"new"), null_press(command_ok)};
    const std::u16string long_name(120, u'n');
    const GameOver cases[] = {
        {"ties go below", table, 30, true, ok_new, {u"50: a.", u"30: b.", u"30: new."}},
        {"tie with the best", table, 50, true, ok_new, {u"50: a.", u"50: new.", u"30: b."}},
        {"top", table, 51, true, ok_new, {u"51: new.", u"50: a.", u"30: b."}},
        {"equal to third is not enough", table, 10, false, ok_new, {u"50: a.", u"30: b.", u"10: c."}},
        {"below a stored 2147483648", {{u"big", INT32_MIN}, {u"b", 30}, {u"c", 10}}, 1000, true, ok_new,
         {u"-2147483648: big.", u"1000: new.", u"30: b."}},
        {"all stored 2147483648", all_big, INT32_MAX, false, ok_new, Lines(3, u"-2147483648: x.")},
        {"OK emptied", table, 77, true, {null_type(item_name_edit, u""), null_press(command_ok)},
         {u"77: .", u"50: a.", u"30: b."}},
        {"Cancel after typing", table, 77, true, {null_type(item_name_edit, u"Bob"), null_press(command_cancel)},
         {u"77: anonymous.", u"50: a.", u"30: b."}},
        {"120 characters, cut to 99", table, 77, true, {null_type(item_name_edit, long_name), null_press(command_ok)},
         {u"77: " + long_name.substr(0, 99) + u".", u"50: a.", u"30: b."}},
        // The edit box's own notifications arrive as its item's command.
        {"other commands first", table, 77, true, {null_press(item_name_edit), null_type(item_name_edit, u"Cy"), null_press(command_ok)},
         {u"77: Cy.", u"50: a.", u"30: b."}},
    };
    for (const GameOver& c : cases) {
        SCOPED_TRACE(c.what);
        reset_null_dialogs();
        std::remove(file().c_str());
        set_table(c.before);
        null_dialogs.script.assign(c.player.begin(), c.player.end());
        EXPECT_EQ(submit_score(c.score), c.entered);
        EXPECT_EQ((Lines{line_of(0), line_of(1), line_of(2)}), c.after);
        EXPECT_EQ(null_dialogs.boxes, Boxes{});  // "GAME OVER" is the game's to say
        EXPECT_EQ(file_exists(file()), c.entered);
        ASSERT_EQ(null_dialogs.runs.size(), c.entered ? 1u : 0u);
        if (!c.entered) continue;
        EXPECT_TRUE(reloads_whole());
        const NullDialogRun& run = null_dialogs.runs[0];
        EXPECT_EQ(run.template_id, dialog_new_score);
        EXPECT_EQ(run.shown.at(item_name_edit), u"anonymous");
        EXPECT_EQ(run.result, c.player.back().command);
        EXPECT_TRUE(run.answers.front() && run.answers.back());  // init and the closing command
    }
}

// An edited file may hold a name with no zero: its line stops at the 100
// units, though the score's bytes (here "!" and ".") follow in the record.
TEST_F(ScoresTest, HighScoresShowsTheTableAndClosesOnlyOnOk) {
    const std::u16string no_zero(100, u'x');
    set_table({{u"Ann", 2573}, {u"\u041A", 26}, {no_zero, 0x002E0021}});
    null_dialogs.script = {null_press(command_cancel), null_press(item_first_score_line), null_press(command_ok)};
    dialog_run(dialog_high_scores, high_scores_proc);
    const NullDialogRun& run = null_dialogs.runs.at(0);
    const std::map<int, std::u16string> lines = {
        {item_first_score_line, u"2573: Ann."},
        {item_first_score_line + 1, u"26: \u041A."},
        {item_first_score_line + 2, u"3014689: " + no_zero + u"."}};
    EXPECT_EQ(run.shown, lines);
    EXPECT_EQ(run.answers, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(run.result, command_ok);  // Esc (command_cancel) left it open
}

}  // namespace
