// Saving never loses the old file: a failed write leaves it byte for byte,
// and a save that cannot be made says so.

#include <filesystem>

#include "tests/scores/scores_fixture.h"

namespace {

namespace fs = std::filesystem;

size_t write_nothing(const void*, size_t, size_t, std::FILE*) { return 0; }
size_t write_half(const void* data, size_t size, size_t count, std::FILE* f) {
    return std::fwrite(data, size, count / 2, f);
}

class ScoreSaveTest : public ScoresTest {
protected:
    void SetUp() override {
        ScoresTest::SetUp();
        set_entry(0, u"old", 50);
        set_entry(1, u"old", 30);
        set_entry(2, u"old", 10);
        save_scores();
        old_bytes = read_file(file());
        ASSERT_EQ(old_bytes.size(), 613u);
    }
    std::string file() const { return scratch.media("scores.bin"); }
    std::string temp() const { return scratch.media("scores.bin.tmp"); }
    void enter_new_score() {
        null_dialogs.script = {null_type(1000, u"new"), null_press(command_ok)};
        submit_score(40);
    }
    void expect_error_shown_and_entry_kept() {
        ASSERT_EQ(null_dialogs.boxes.size(), 1u);
        EXPECT_EQ(null_dialogs.boxes[0].first, u"Error saving the score file [scores.bin].");
        EXPECT_EQ(null_dialogs.boxes[0].second, u"Pinecastle");
        EXPECT_EQ(line_of(1), u"40: new.");
    }
    std::vector<uint8_t> old_bytes;
};

TEST_F(ScoreSaveTest, SaveReplacesTheFileAndLeavesNoTemp) {
    write_file(temp(), {1, 2, 3});  // left by a run that died mid-save
    enter_new_score();
    EXPECT_TRUE(null_dialogs.boxes.empty());
    EXPECT_FALSE(file_exists(temp()));
    std::memset(&score_table, 0, sizeof score_table);
    load_scores();
    EXPECT_EQ(line_of(0), u"50: old.");
    EXPECT_EQ(line_of(1), u"40: new.");
    EXPECT_EQ(line_of(2), u"30: old.");
}

TEST_F(ScoreSaveTest, FailedWriteLeavesOldFileUntouched) {
    struct Case {
        const char* what;
        size_t (*write)(const void*, size_t, size_t, std::FILE*);
    };
    for (const Case& c : {Case{"nothing written", write_nothing}, Case{"cut short", write_half}}) {
        SCOPED_TRACE(c.what);
        reset_null_dialogs();
        set_entry(1, u"old", 30);
        score_file_write = c.write;
        enter_new_score();
        EXPECT_EQ(read_file(file()), old_bytes);
        EXPECT_FALSE(file_exists(temp()));
        expect_error_shown_and_entry_kept();
    }
}

TEST_F(ScoreSaveTest, TempThatCannotBeCreatedLeavesOldFileUntouched) {
    fs::create_directory(temp());
    enter_new_score();
    EXPECT_EQ(read_file(file()), old_bytes);
    expect_error_shown_and_entry_kept();
}

TEST_F(ScoreSaveTest, UnwritableFolderShowsTheError) {
    for (bool plain_file : {false, true}) {
        SCOPED_TRACE(plain_file ? "media is a plain file" : "media is missing");
        reset_null_dialogs();
        set_entry(1, u"old", 30);
        const std::string media = (fs::path(scratch.path()) / "media").string();
        fs::remove_all(media);
        if (plain_file) write_file(media, {7});
        enter_new_score();
        expect_error_shown_and_entry_kept();
    }
}

}  // namespace
