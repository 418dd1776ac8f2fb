// How the song is opened. This suite puts its own file_open in front of the
// system's (it is linked instead of the POSIX one), so the mode can be seen
// even where the tests run with rights that ignore a read-only file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/song.h"
#include "platform/files.h"
#include "platform/os/utf.h"
#include "tests/music/song_bytes.h"
#include "tests/support/test_support.h"

namespace {
std::vector<std::string> modes;
}

std::FILE* file_open(const char16_t* path, const char* mode) {
    modes.push_back(mode);
    return std::fopen(utf16_to_utf8(path).c_str(), mode);
}

namespace {

TEST(SongOpening, ReadsWithoutAskingToWrite) {
    ScratchDir scratch;
    write_file(scratch.media("song.mid"), header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64}));
    music_event_count = 0;
    modes.clear();
    EXPECT_TRUE(load_song());
    EXPECT_EQ(modes, std::vector<std::string>{"rb"});
    EXPECT_EQ(table(), std::vector<Record>{rec(0, 0x90, 0x3C, 0x64)});
}

}  // namespace
