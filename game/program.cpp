#include "game/program.h"

#include "game/game_state.h"
#include "music/sequencer.h"
#include "platform/window.h"
#include "scores/scores.h"
#include "sfx/effect_stream.h"

// The order matters: the audio is up before the scores and the game exist,
// and the song only starts once everything it could disturb is in place.
void game_start() {
    open_music();
    open_effects();
    load_scores();
    new_game();
    start_song();
}

// The two callbacks into the game (the music timer and the wave device's
// refill) stop first, before anything they use goes away.
void game_shutdown() {
    shutdown_music();
    close_effects();
    clear(paddle_list);
    clear(ball_list);
    clear(bullet_list);
    clear(comb_list);
    clear(bee_list);
}

bool menu_command(int command) {
    switch (command) {
    case command_about:
        dialog_run(dialog_about, about_proc);
        return true;
    case command_exit:
        window_destroy();
        return true;
    case command_high_scores:
        dialog_run(dialog_high_scores, high_scores_proc);
        return true;
    default:
        return false;
    }
}

bool about_proc(DialogHandle dialog, DialogEvent event, int command) {
    if (event == DialogEvent::init) return true;
    if (command == command_ok || command == command_cancel) {
        dialog_end(dialog, command);
        return true;
    }
    return false;
}
