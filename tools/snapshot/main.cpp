// waxdrop-snapshot OUT.png [IMAGES_DIR]: the field as the player first sees
// it, right after start-up, drawn by the software canvas.

#include <cstdio>
#include <string>

#include "game/draw.h"
#include "game/game_state.h"
#include "game/program.h"
#include "platform/null/null_timer.h"
#include "platform/soft/png.h"
#include "platform/soft/soft_canvas.h"

#ifndef WAXDROP_SOURCE_DIR
#define WAXDROP_SOURCE_DIR "."
#endif

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: waxdrop-snapshot OUT.png [IMAGES_DIR]\n");
        return 2;
    }
    const std::string images = argc == 3 ? argv[2] : WAXDROP_SOURCE_DIR "/resources/bitmaps";
    std::string error;
    if (!soft_load_images(images, error) || !soft_open_font("", error)) {
        std::fprintf(stderr, "waxdrop-snapshot: %s\n", error.c_str());
        return 1;
    }
    // Started as the shell starts it. The song (an empty one when there is no
    // song file) plays on the null timer, which calls only when told, so each
    // sleep of the shutdown's wait for its last tick brings that tick.
    null_timer.on_sleep = [] { fire_null_timer(); };
    game_start();
    draw_world();
    game_shutdown();
    if (!write_png(argv[1], soft_back_buffer(), field_width, field_height)) {
        std::fprintf(stderr, "waxdrop-snapshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
