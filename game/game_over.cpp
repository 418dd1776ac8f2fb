#include "game/game_over.h"

#include "game/game_state.h"
#include "platform/dialogs.h"
#include "scores/scores.h"

namespace {
constexpr int32_t first_ball_speed = 200;

// The one place the game says its game is over.
void show_game_over() { message_box(u"GAME OVER", message_caption); }
}

// Both paths open a modal box or dialog from inside the frame. Its message
// loop keeps painting, so whole frames run inside it (and a click on the field
// can even resume the game there); anything the frame took from the lists
// before it is taken again after it.

void end_game_after_last_ball(Frame& frame) {
    // A score that does not enter the table ends with the box instead of
    // the name dialog.
    if (!submit_score(game.score)) show_game_over();
    retake_sprites(frame);
    game.level = 1;
    game.score = 0;
    game.ball_speed = first_ball_speed;
    setup_level();
}

void game_over_by_sting(Frame& frame) {
    toggle_pause();
    show_game_over();
    retake_sprites(frame);
    game.score = 0;
    game.level = 1;
    setup_level();  // leaves the bee list's cursor on the new head
}
