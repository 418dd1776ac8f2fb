#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/null/null_platform.h"
#include "platform/os/path_separator.h"

namespace {

std::u16string path_with(std::u16string dir, const char16_t* name, bool* fits) {
    null_files.module_name = dir + path_separator + u"waxdrop.exe";
    char16_t out[media_path_capacity + 8];
    for (char16_t& c : out) c = u'#';
    *fits = media_path(name, out);
    // Nothing beyond the documented capacity is ever touched.
    for (int i = media_path_capacity; i < media_path_capacity + 8; ++i) EXPECT_EQ(out[i], u'#');
    return out;
}

}  // namespace

TEST(MediaPath, IsTheExecutablesFolderThenMediaThenTheName) {
    bool fits = false;
    const std::u16string dir = std::u16string(u"game") + path_separator + u"bin";
    EXPECT_EQ(path_with(dir, u"song.mid", &fits),
              dir + path_separator + u"media" + path_separator + u"song.mid");
    EXPECT_TRUE(fits);
}

TEST(MediaPath, RefusesWhatDoesNotFitAndKeepsWhatJustFits) {
    // dir + sep + "media" + sep + "scores.bin" + zero: 18 units beyond dir.
    const int room = media_path_capacity - 1 - 17;
    bool fits = false;
    const std::u16string longest(static_cast<size_t>(room), u'd');
    const std::u16string ok = path_with(longest, u"scores.bin", &fits);
    EXPECT_TRUE(fits);
    EXPECT_EQ(ok.size(), static_cast<size_t>(media_path_capacity - 1));

    const std::u16string too_long(static_cast<size_t>(room + 1), u'd');
    EXPECT_EQ(path_with(too_long, u"scores.bin", &fits), u"");
    EXPECT_FALSE(fits);
}
