// The score file's bytes: the line-end translation both ways, short and long
// files, the defaults, and what the loader may open.

#include <cstdio>
#include <vector>

#include "platform/files.h"
#include "scores/score_file.h"
#include "tests/scores/scores_fixture.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

class ScoreFileTest : public ScoresTest {
protected:
    std::string file() const { return scratch.media("scores.bin"); }
    // The file as the game writes it, for the table as it stands.
    Bytes saved() {
        save_scores();
        EXPECT_TRUE(null_dialogs.boxes.empty());
        return read_file(file());
    }
    // Forget the table, then read it back as the game does at start-up.
    ScoreTable reloaded() {
        const ScoreTable before = score_table;
        std::memset(&score_table, 0, sizeof score_table);
        load_scores();
        const ScoreTable after = score_table;
        score_table = before;
        return after;
    }
    static Bytes slice(const Bytes& b, size_t at, size_t n) { return Bytes(b.begin() + at, b.begin() + at + n); }
};

bool same_table(const ScoreTable& a, const ScoreTable& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expect_defaults(const ScoreTable& t) {
    for (const ScoreEntry& e : t.entries) {
        EXPECT_EQ(e.score, 0);
        EXPECT_EQ(std::u16string(e.name), u"open");
    }
}

TEST_F(ScoreFileTest, OpenTenExampleIsStoredByteForByte) {
    set_entry(0, u"open", 10);
    Bytes expected = {0x6F, 0, 0x70, 0, 0x65, 0, 0x6E, 0, 0, 0};
    expected.resize(200, 0);
    expected.insert(expected.end(), {0x0D, 0x0A, 0, 0, 0});
    expected.resize(613, 0);  // entries 1 and 2 of a table that started empty
    EXPECT_EQ(saved(), expected);
    EXPECT_TRUE(same_table(reloaded(), score_table));
}

// Each case puts one awkward value into entry 1 and says what its bytes in the
// file must be, counted from the start of that record in the file.
struct RoundTrip {
    const char* what;
    std::u16string name;
    int32_t score;
    size_t at;        // offset in the file
    Bytes stored;     // the bytes found there
    size_t length;    // the file's length
};

TEST_F(ScoreFileTest, AwkwardValuesRoundTrip) {
    const RoundTrip cases[] = {
        {"score 10", u"a", 10, 204 + 200, {0x0D, 0x0A, 0, 0, 0}, 613},
        {"score 2573", u"a", 2573, 204 + 200, {0x0D, 0x0D, 0x0A, 0, 0}, 613},
        {"U+010A in a name", u"\u010A!", 5, 204, {0x0D, 0x0A, 0x01, 0x21, 0}, 613},
        {"score 26 holds 0x1A", u"a", 26, 204 + 200, {0x1A, 0, 0, 0}, 612},
        {"U+041A holds 0x1A", u"\u041A", 5, 204, {0x1A, 0x04, 0, 0}, 612},
        {"score 13 is a lone 0x0D", u"a", 13, 204 + 200, {0x0D, 0, 0, 0}, 612},
        {"name ends in 0x0D before 0x0A", u"\u0D0D\u0A0A", 0x0A0D, 204,
         {0x0D, 0x0D, 0x0D, 0x0A, 0x0D, 0x0A}, 612 + 3},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(&score_table, 0, sizeof score_table);
        set_entry(1, c.name, c.score);
        const Bytes b = saved();
        ASSERT_EQ(b.size(), c.length);
        EXPECT_EQ(slice(b, c.at, c.stored.size()), c.stored);
        EXPECT_TRUE(same_table(reloaded(), score_table));
    }
}

TEST_F(ScoreFileTest, FilesShortOfThreeRecordsGiveDefaults) {
    set_entry(0, u"ann", 40);
    set_entry(1, u"bob", 30);
    set_entry(2, u"cy", 20);
    const Bytes whole = saved();  // no 0x0A anywhere: 612 bytes
    ASSERT_EQ(whole.size(), 612u);
    Bytes with_pair = whole;      // 612 bytes in the file, 611 once read
    with_pair[100] = 0x0D;
    with_pair[101] = 0x0A;
    for (size_t size : {size_t{0}, size_t{203}, size_t{408}, size_t{611}}) {
        SCOPED_TRACE(size);
        write_file(file(), slice(whole, 0, size));
        expect_defaults(reloaded());
    }
    write_file(file(), with_pair);
    expect_defaults(reloaded());
    // A record read whole before the file ran short keeps what follows the
    // zero after "open"; nobody reads it, but it is not made up either.
    write_file(file(), slice(whole, 0, 408));
    ScoreTable t = reloaded();
    EXPECT_EQ(std::u16string(t.entries[1].name), u"open");
    EXPECT_EQ(t.entries[1].name[5], 0);
}

TEST_F(ScoreFileTest, BytesAfterThirdRecordAreIgnored) {
    set_entry(2, u"zed", 7);
    Bytes b = saved();
    b.insert(b.end(), {0x0D, 0x0A, 'x', 0x1A, 0x0D});
    write_file(file(), b);
    EXPECT_TRUE(same_table(reloaded(), score_table));

    // The longest image: every byte 0x0A, so 1224 bytes in the file, and more
    // after them that the loader must not mistake for part of the table.
    Bytes all_lf;
    for (int i = 0; i < score_image_size; ++i) all_lf.insert(all_lf.end(), {0x0D, 0x0A});
    all_lf.insert(all_lf.end(), {0x0D, 0x0A, 0x41});
    write_file(file(), all_lf);
    const ScoreTable t = reloaded();
    for (const ScoreEntry& e : t.entries) {
        EXPECT_EQ(e.score, 0x0A0A0A0A);
        EXPECT_EQ(e.name[99], 0x0A0A);
    }
}

TEST_F(ScoreFileTest, MissingFileGivesDefaultsWithoutCreatingIt) {
    load_scores();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(line_of(i), u"0: open.");
    EXPECT_FALSE(file_exists(file()));
}

TEST_F(ScoreFileTest, NameWithoutZeroIsShownCutAtHundredUnits) {
    ScoreEntry e;
    for (char16_t& c : e.name) c = u'x';
    e.score = 0x002E0021;  // the units that would follow, were the name read on
    char16_t line[high_score_line_capacity];
    format_high_score_line(e, line);
    EXPECT_EQ(std::u16string(line), u"3014689: " + std::u16string(100, u'x') + u".");
}

// The loader only reads, so a score file that cannot be opened for writing
// still shows its scores. Tests run as root, where permission bits do not
// stop a writer; a running program's own file and a file another handle
// keeps from being written do.
TEST_F(ScoreFileTest, FileThatCannotBeWrittenStillLoads) {
#ifdef _WIN32
    set_entry(0, u"kept", 99);
    saved();
    const ScoreTable written = score_table;
    int fd = -1;
    ASSERT_EQ(_wsopen_s(&fd, reinterpret_cast<const wchar_t*>(u16(file()).c_str()), _O_RDONLY | _O_BINARY,
                        _SH_DENYWR, 0),
              0);
    std::FILE* writer = file_open(u16(file()).c_str(), "r+b");
    EXPECT_EQ(writer, nullptr);
    if (writer) std::fclose(writer);
    EXPECT_TRUE(same_table(reloaded(), written));
    _close(fd);
#else
    const std::u16string exe = u"/proc/self/exe";
    std::FILE* writer = file_open(exe.c_str(), "r+b");
    EXPECT_EQ(writer, nullptr);
    if (writer) std::fclose(writer);
    EXPECT_TRUE(load_scores_file(exe.c_str()));
#endif
}

}  // namespace
