#include "game/controls.h"

#include "game/bees_bullets.h"
#include "game/game_state.h"
#include "platform/pointer.h"

namespace {

// The pointer's own position, not the one the message carried.
void refresh_mouse_x() { game.mouse_x = pointer_client_x(); }

}  // namespace

void mouse_moved() { refresh_mouse_x(); }

void left_button_down() {
    // The click that resumes never fires.
    if (game.paused)
        toggle_pause();
    else
        fire_bullet();
    refresh_mouse_x();
}

void key_released(int virtual_key) {
    if (virtual_key == key_p) toggle_pause();
}
