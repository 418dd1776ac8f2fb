// The score file's bytes: the line-end translation both ways, short and long
// files, the defaults, and saves that never lose the old file.

#include <filesystem>
#include <functional>
#include <vector>

#include "scores/score_file.h"
#include "tests/scores/scores_fixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class ScoreFileTest : public ScoresTest {
protected:
    // The file as the game writes it, for the table as it stands.
    Bytes saved() {
        save_scores();
        EXPECT_TRUE(null_dialogs.boxes.empty());
        return read_file(file());
    }
    // The emptied table would show "0: ." here.
    void expect_defaults_loaded() {
        std::memset(&score_table, 0, sizeof score_table);
        load_scores();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(line_of(i), u"0: open.");
    }
    std::string temp() const { return scratch.media("scores.bin.tmp"); }
};

TEST_F(ScoreFileTest, OpenTenExampleIsStoredByteForByte) {
    set_table({{u"open", 10}, {u"", 0}, {u"", 0}});
    Bytes expected = {0x6F, 0, 0x70, 0, 0x65, 0, 0x6E, 0};
    expected.resize(200, 0);
    expected.insert(expected.end(), {0x0D, 0x0A, 0, 0, 0});  // the score 0A 00 00 00
    expected.resize(613, 0);
    EXPECT_EQ(saved(), expected);
    EXPECT_TRUE(reloads_whole());
}

// Each case puts one awkward value into entry 1 (name at byte 204, score at
// 404, as entry 0 holds no 0x0A) and gives the bytes found there.
struct RoundTrip {
    const char* what;
    std::u16string name;
    int32_t score;
    size_t at;
    Bytes stored;
    size_t length;
};

TEST_F(ScoreFileTest, AwkwardValuesRoundTrip) {
    write_file(temp(), {1, 2, 3});  // left by a run that died mid-save
    const RoundTrip cases[] = {
        {"score 2573 is 0D 0A", u"a", 2573, 404, {0x0D, 0x0D, 0x0A, 0, 0}, 613},
        {"U+010A in a name", u"\u010A!", 5, 204, {0x0D, 0x0A, 0x01, 0x21, 0}, 613},
        {"score 26 holds 0x1A", u"a", 26, 404, {0x1A, 0, 0, 0}, 612},
        {"U+041A holds 0x1A", u"\u041A", 5, 204, {0x1A, 0x04, 0, 0}, 612},
        {"score 13 is a lone 0x0D", u"a", 13, 404, {0x0D, 0, 0, 0}, 612},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.what);
        set_table({{u"", 0}, {c.name, c.score}, {u"", 0}});
        const Bytes b = saved();
        ASSERT_EQ(b.size(), c.length);
        EXPECT_EQ(Bytes(b.begin() + c.at, b.begin() + c.at + c.stored.size()), c.stored);
        EXPECT_TRUE(reloads_whole());
    }
    EXPECT_FALSE(file_exists(temp()));
}

// Three whole records load, whatever follows them; anything less gives the
// defaults for all three entries.
TEST_F(ScoreFileTest, LoadsThreeWholeRecordsOrTheDefaults) {
    expect_defaults_loaded();  // no file, and none is made
    EXPECT_FALSE(file_exists(file()));
    set_table({{u"ann", 40}, {u"bob", 30}, {u"cy", 20}});
    const Bytes whole = saved();  // no 0x0A anywhere: 612 bytes
    ASSERT_EQ(whole.size(), 612u);
    Bytes trailing = whole;
    trailing.insert(trailing.end(), {0x0D, 0x0A, 'x', 0x1A, 0x0D});
    write_file(file(), trailing);
    EXPECT_TRUE(reloads_whole());
    Bytes with_pair = whole;  // 612 bytes in the file, 611 once read
    with_pair[100] = 0x0D;
    with_pair[101] = 0x0A;
    const Bytes two_records(whole.begin(), whole.begin() + 408), short_by_one(whole.begin(), whole.end() - 1);
    for (const Bytes& b : {two_records, short_by_one, with_pair}) {
        SCOPED_TRACE(b.size());
        write_file(file(), b);
        expect_defaults_loaded();
    }

    // The longest image: every byte 0x0A, so 1224 bytes in the file, and more
    // after them that the loader must not mistake for part of the table.
    Bytes all_lf;
    for (int i = 0; i <= score_image_size; ++i) all_lf.insert(all_lf.end(), {0x0D, 0x0A});
    all_lf.push_back(0x41);
    write_file(file(), all_lf);
    load_scores();
    for (const ScoreEntry& e : score_table.entries) {
        EXPECT_EQ(e.score, 0x0A0A0A0A);
        EXPECT_EQ(e.name[99], 0x0A0A);
    }
}

// Every failed save leaves the old file byte for byte (where there was one),
// no temporary file, the new entry in the table, and one message.
TEST_F(ScoreFileTest, FailedSaveKeepsOldFileAndSaysSo) {
    const std::string media = (fs::path(scratch.path()) / "media").string();
    const struct {
        const char* what;
        std::function<void()> spoil;
        bool had_file;
    } cases[] = {
        {"the new file takes no bytes", [] { null_files.fail_writes = true; }, true},
        {"the new file cannot be created", [] { null_files.fail_open_for = u"scores.bin.tmp"; }, true},
        {"the new file cannot take the old one's place", [] { null_files.fail_replace = true; }, true},
        {"media missing", [&] { fs::remove_all(media); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(media);
        fs::create_directory(media);
        reset_null_dialogs();
        null_files.fail_writes = null_files.fail_replace = false;
        null_files.fail_open_for.clear();
        set_table({{u"old", 50}, {u"old", 30}, {u"old", 10}});
        const Bytes old_bytes = saved();
        c.spoil();
        null_dialogs.script = {null_type(item_name_edit, u"new"), null_press(command_ok)};
        submit_score(40);
        EXPECT_EQ(read_file(file()), c.had_file ? old_bytes : Bytes{});
        EXPECT_FALSE(fs::is_regular_file(temp()));
        EXPECT_EQ(null_dialogs.boxes, (Boxes{{u"Error saving the score file [scores.bin].", u"Pinecastle"}}));
        EXPECT_EQ(line_of(1), u"40: new.");
    }
}

}  // namespace
