#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/null/null_platform.h"
#include "platform/os/path_separator.h"

// The executable's folder, then media, then the name: refused whole when it
// does not fit, kept when it just fits, and nothing beyond the documented
// capacity ever touched.
TEST(MediaPath, IsTheExecutablesFolderThenMediaThenTheName) {
    const std::u16string dir = std::u16string(u"game") + path_separator + u"bin";
    // dir + sep + "media" + sep + "scores.bin" + zero: 18 units beyond dir.
    const std::u16string longest(static_cast<size_t>(media_path_capacity - 1 - 17), u'd');
    const struct { std::u16string dir; bool fits; } cases[] = {{dir, true}, {longest, true}, {longest + u"d", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir.size());
        null_files.module_name = c.dir + path_separator + u"waxdrop.exe";
        char16_t out[media_path_capacity + 8];
        for (char16_t& unit : out) unit = u'#';
        EXPECT_EQ(media_path(u"scores.bin", out), c.fits);
        const std::u16string whole = c.dir + path_separator + u"media" + path_separator + u"scores.bin";
        EXPECT_EQ(std::u16string(out), c.fits ? whole : u"");
        for (int i = media_path_capacity; i < media_path_capacity + 8; ++i) EXPECT_EQ(out[i], u'#');
    }
}

#ifdef _WIN32
// The Windows game keeps its scores where it always has: in media\ beside
// the executable.
TEST(ScorePath, IsTheMediaFolderOnWindows) {
    null_files.module_name = u"C:\\games\\waxdrop\\waxdrop.exe";
    char16_t out[media_path_capacity];
    ASSERT_TRUE(score_path(u"scores.bin", out, true));
    EXPECT_EQ(std::u16string(out), u"C:\\games\\waxdrop\\media\\scores.bin");
}
#else
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "tests/support/test_support.h"

namespace {

std::optional<std::string> env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}
void set_or_unset(const char* name, const std::optional<std::string>& value) {
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
}

}  // namespace

// An installed Linux game cannot write beside itself: scores go to the
// player's data folder. A relative or empty XDG_DATA_HOME is ignored, as the
// XDG rule says, and without HOME the account's own home folder is used.
TEST(ScorePath, FollowsXdgDataHomeOrFallsBackToTheHomeFolder) {
    const std::optional<std::string> saved_xdg = env("XDG_DATA_HOME"), saved_home = env("HOME");
    const passwd* account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    const std::string own_home = account->pw_dir;
    const struct {
        std::optional<std::string> xdg, home;
        std::string folder;
    } cases[] = {
        {"/srv/data", "/home/wren", "/srv/data/waxdrop"},
        {"/srv/data/", "/home/wren", "/srv/data//waxdrop"},  // taken as given
        {std::nullopt, "/home/wren", "/home/wren/.local/share/waxdrop"},
        {"", "/home/wren", "/home/wren/.local/share/waxdrop"},
        {"data", "/home/wren", "/home/wren/.local/share/waxdrop"},
        {"./srv/data", "/home/wren", "/home/wren/.local/share/waxdrop"},
        {std::nullopt, std::nullopt, own_home + "/.local/share/waxdrop"},
        {"relative", "", own_home + "/.local/share/waxdrop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xdg.value_or("(unset)") + " | " + c.home.value_or("(unset)"));
        set_or_unset("XDG_DATA_HOME", c.xdg);
        set_or_unset("HOME", c.home);
        char16_t out[media_path_capacity];
        EXPECT_TRUE(score_path(u"scores.bin", out, false));
        EXPECT_EQ(std::u16string(out), u16(c.folder + "/scores.bin"));
    }
    // Saving makes the folder, all the way down; a path too long for the
    // game's buffer is refused whole.
    ScratchDir scratch;
    set_or_unset("XDG_DATA_HOME", scratch.path() + "/deep/data");
    char16_t out[media_path_capacity];
    EXPECT_TRUE(score_path(u"scores.bin", out, true));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() + "/deep/data/waxdrop"));
    set_or_unset("XDG_DATA_HOME", "/" + std::string(media_path_capacity, 'd'));
    EXPECT_FALSE(score_path(u"scores.bin", out, false));
    EXPECT_EQ(out[0], 0);
    set_or_unset("XDG_DATA_HOME", saved_xdg);
    set_or_unset("HOME", saved_home);
}
#endif
