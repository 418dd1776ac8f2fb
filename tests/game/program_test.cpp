// The game as the shell runs it: start-up, the menu commands and shutdown,
// over the null ports.

#include <filesystem>
#include <functional>

#include "music/sequencer.h"
#include "music/song.h"
#include "scores/score_file.h"
#include "sfx/play_effect.h"
#include "tests/game/game_fixture.h"
#include "tests/music/song_bytes.h"

namespace {

// A started game: the effect files and an empty song playing.
using Program = GameTest;

TEST_F(Program, MenuCommands) {
    const struct {
        int command;
        std::vector<NullDialogStep> player;
        bool handled;
        int dialog;             // the one dialog run, or 0
        std::vector<bool> answers;
        int destroys;
    } cases[] = {
        {command_about, {null_press(command_ok)}, true, dialog_about, {true, true}, 0},
        {command_about, {null_press(command_cancel)}, true, dialog_about, {true, true}, 0},  // Esc, close box
        {command_about, {null_press(3), null_press(command_ok)}, true, dialog_about, {true, false, true}, 0},
        {command_exit, {}, true, 0, {}, 1},
        {command_high_scores, {null_press(command_ok)}, true, dialog_high_scores, {true, true}, 0},
        {106, {null_press(command_ok)}, false, 0, {}, 0},
        {0, {}, false, 0, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        reset_null_dialogs();
        null_window = NullWindow{};
        null_dialogs.script.assign(c.player.begin(), c.player.end());
        EXPECT_EQ(menu_command(c.command), c.handled);
        EXPECT_EQ(null_window.destroys, c.destroys);
        EXPECT_TRUE(null_dialogs.boxes.empty());
        ASSERT_EQ(null_dialogs.runs.size(), c.dialog ? 1u : 0u);
        if (!c.dialog) continue;
        const NullDialogRun& run = null_dialogs.runs[0];
        EXPECT_EQ(run.template_id, c.dialog);
        EXPECT_EQ(run.answers, c.answers);
        EXPECT_EQ(run.result, c.player.back().command);
    }
}

TEST_F(Program, StartOpensTheAudioLoadsTheScoresAndSetsUpAPausedGame) {
    const Bytes good = header(0, 0, 96) + track({0, 0x90, 0x3C, 0x64});
    const struct {
        const char* what;
        bool midi_opens;
        const Bytes* song;  // null: no song.mid at all
        bool plays;
    } cases[] = {
        {"a song", true, &good, true},
        {"no song file: nothing to read, so an empty song plays", true, nullptr, true},
        {"no MIDI output", false, &good, false},
    };
    ScoreTable saved{};
    saved.entries[0].score = 4321;
    uint8_t bytes[score_file_capacity];
    write_file(scratch->media("scores.bin"),
               std::vector<uint8_t>(bytes, bytes + encode_score_file(saved, bytes)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        game_shutdown();
        reset_world();
        reset_null_midi();
        reset_null_timer();
        null_timer.on_sleep = [] { fire_null_timer(); };
        score_table = ScoreTable{};
        null_midi.fail_open = !c.midi_opens;
        if (c.song) write_file(scratch->media("song.mid"), *c.song);
        else std::filesystem::remove(scratch->media("song.mid"));
        game_start();
        EXPECT_EQ(null_midi.open_count, 1);
        EXPECT_EQ(music_open, c.midi_opens);
        EXPECT_EQ(null_timer.start_count, c.plays ? 1 : 0);
        EXPECT_EQ(music_running.load(), c.plays);
        EXPECT_TRUE(effects_open);
        EXPECT_TRUE(null_wave.is_open);
        EXPECT_EQ(score_table.entries[0].score, 4321);
        EXPECT_EQ(count(comb_list), 80);  // the game set up (how, the paused frame's test checks)
        EXPECT_TRUE(null_dialogs.boxes.empty());
    }
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
