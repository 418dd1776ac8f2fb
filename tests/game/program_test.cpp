// The game as the shell runs it, over the null ports: start-up, the files it
// reads, and shutdown (the menu commands are played through in the flows).

#include <functional>

#include "music/sequencer.h"
#include "music/song.h"
#include "sfx/play_effect.h"
#include "tests/game/game_fixture.h"
#include "tests/music/song_bytes.h"

namespace {

// A started game: the effect files and an empty song playing.
using Program = GameTest;

// Without a MIDI output the rest still starts: no song, but the effects, the
// saved scores and a paused game. (With one, the song is heard in the flows.)
TEST_F(Program, StartsWithoutAMidiOutput) {
    score_table.entries[0].score = 4321;
    save_scores();
    write_file(scratch->media("song.mid"), header(0, 0, 96) + track({0, 0x90, 0x3C, 0x64}));
    game_shutdown();
    reset_world();
    reset_null_midi();
    reset_null_timer();
    score_table = ScoreTable{};
    null_midi.fail_open = true;
    game_start();
    EXPECT_EQ(null_midi.open_count, 1);
    EXPECT_FALSE(music_open);
    EXPECT_EQ(null_timer.start_count, 0);
    EXPECT_FALSE(music_running.load());
    EXPECT_TRUE(effects_open);
    EXPECT_EQ(score_table.entries[0].score, 4321);
    EXPECT_EQ(count(comb_list), 80);
    EXPECT_TRUE(null_dialogs.boxes.empty());
}

// The game may be installed where the player cannot write, and some systems
// refuse a read-write open there even to a reader: each file the game reads,
// it opens once and for reading only.
TEST_F(Program, ReadsEachFileThroughOneReadOnlyOpen) {
    save_scores();
    write_file(scratch->media("song.mid"), header(0, 0, 96) + track({0x00, 0x90, 0x3C, 0x64}));
    const std::pair<const char*, std::function<bool()>> readers[] = {
        {"song.mid", [] { return load_song(); }},
        {"doing.wav", [] { return play_effect(u"doing.wav") == 0; }},
        {"scores.bin", [] { load_scores(); return true; }},
    };
    for (const auto& [file, read] : readers) {
        SCOPED_TRACE(file);
        null_files.opens = 0;
        EXPECT_TRUE(read());
        EXPECT_EQ(null_files.opens, 1);
        EXPECT_STREQ(null_files.last_open_mode, "rb");
    }
}

TEST_F(Program, ShutdownStopsTheTimerAndTheDevicesAndEmptiesTheLists) {
    ASSERT_NE(null_timer.live, 0u);  // no song file, so an empty one plays
    const TimerId timer = null_timer.live;
    for (int turn = 1; turn <= 2; ++turn) {  // a second shutdown finds nothing left to do
        SCOPED_TRACE(turn);
        game_shutdown();
        EXPECT_EQ(null_timer.killed, std::vector<TimerId>{timer});
        EXPECT_EQ(null_midi.close_count, 1);
        EXPECT_FALSE(effects_open);
        EXPECT_FALSE(null_wave.is_open);
        EXPECT_EQ(null_wave.closes, 1);
        for (const SpriteList* list : {&paddle_list, &ball_list, &bullet_list, &comb_list, &bee_list})
            EXPECT_EQ(list->head, nullptr);
    }
}

}  // namespace
