// waxdrop-replay: runs the real game headless, frame by frame, with a clock
// that moves a fixed tick per frame and input from a script or from the
// auto-player. Prints the counters at the end (and, for auto-play, how many
// frames it simulated per second of wall-clock time); the game's rules are
// checked after every frame, and the first one broken fails the run (exit 1).
//
//   waxdrop-replay [options] SCRIPT
//   waxdrop-replay [options] --auto FRAMES [--snapshot-at N FILE] [--miss-every N]
//
// Options: --images DIR (sprite bitmaps), --font FILE (score line face),
// --out DIR (where snapshots go), --media DIR (folder for the score file; a
// fresh temporary one by default), --tick MS (clock step, default 10).
// --miss-every N makes the auto-player let every N-th falling ball go.
//
// Script lines, # starts a comment:
//   tick MS          clock step before each following frame
//   run N            N frames
//   auto N           N frames with the auto-player acting before each
//   mouse X          the pointer moves to client x X
//   click            left button pressed
//   p                P key released
//   name TEXT        the next New High Score dialog is answered with TEXT, OK
//   snapshot FILE    the window's picture as a PNG
//   expect NAME N    a counter must be N now (frames score level balls bullets
//                    ball_speed paused combs bees bullet_flying boxes
//                    name_dialogs top_score ball_x ball_y ball_vy)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>

#include "tools/replay/replay_canvas.h"
#include "tools/replay/replay_script.h"

#ifndef WAXDROP_SOURCE_DIR
#define WAXDROP_SOURCE_DIR "."
#endif

namespace {

struct Options {
    std::string images = WAXDROP_SOURCE_DIR "/resources/bitmaps";
    std::string font;
    std::string out = ".";
    std::string media;
    std::string script;
    uint32_t tick = 10;
    uint64_t auto_frames = 0;
    int miss_every = 0;
    uint64_t snapshot_at = 0;
    std::string snapshot_file;
};

int usage() {
    std::fprintf(stderr,
                 "usage: waxdrop-replay [--images DIR] [--font FILE] [--out DIR] [--media DIR] [--tick MS]\n"
                 "                      (SCRIPT | --auto FRAMES [--snapshot-at N FILE] [--miss-every N])\n");
    return 2;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool has_value = i + 1 < argc;
        if (a == "--images" && has_value) o.images = argv[++i];
        else if (a == "--font" && has_value) o.font = argv[++i];
        else if (a == "--out" && has_value) o.out = argv[++i];
        else if (a == "--media" && has_value) o.media = argv[++i];
        else if (a == "--tick" && has_value) o.tick = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--auto" && has_value) o.auto_frames = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--miss-every" && has_value) o.miss_every = std::atoi(argv[++i]);
        else if (a == "--snapshot-at" && i + 2 < argc) {
            o.snapshot_at = std::strtoull(argv[++i], nullptr, 10);
            o.snapshot_file = argv[++i];
        } else if (a.rfind("--", 0) != 0 && o.script.empty()) o.script = a;
        else return false;
    }
    return o.script.empty() != (o.auto_frames == 0);
}

std::string fresh_media_dir() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("waxdrop-replay-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    return dir.string();
}

int run_auto(Replay& r, const Options& o) {
    const auto start = std::chrono::steady_clock::now();
    if (o.snapshot_at > 0 && o.snapshot_at <= o.auto_frames) {
        run_frames(r, o.snapshot_at, true);
        if (!snapshot(r, o.snapshot_file)) std::fprintf(stderr, "cannot write %s\n", o.snapshot_file.c_str());
    }
    run_frames(r, o.auto_frames - r.play.frames, true);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s\n", counters(r).c_str());
    std::printf("clicks %llu shots %llu wall_seconds %.3f frames_per_second %.0f\n",
                static_cast<unsigned long long>(r.play.player.clicks),
                static_cast<unsigned long long>(r.play.player.shots), seconds,
                static_cast<double>(r.play.frames) / seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) return usage();
    std::string error;
    if (!replay_open_canvas(o.images, o.font, error)) {
        std::fprintf(stderr, "waxdrop-replay: %s\n", error.c_str());
        return 1;
    }
    const bool own_media = o.media.empty();
    if (own_media) o.media = fresh_media_dir();
    Replay r;
    r.play.tick_ms = o.tick;
    r.out_dir = o.out;
    start_replay(r, o.media);
    r.play.player.miss_every = o.miss_every;
    int status = 0;
    if (o.auto_frames > 0) {
        status = run_auto(r, o);
    } else {
        status = run_script(r, o.script) ? 0 : 2;
        std::printf("%s\n", counters(r).c_str());
        if (r.failures > 0) {
            std::fprintf(stderr, "%d expectation(s) failed\n", r.failures);
            status = 1;
        }
    }
    // The game's rules, checked after every frame, whatever played it.
    if (r.play.broken) {
        std::fprintf(stderr, "waxdrop-replay: frame %llu: %s\n", static_cast<unsigned long long>(r.play.broken_at),
                     r.play.broken);
        status = 1;
    }
    end_replay(r);
    if (own_media) std::filesystem::remove_all(o.media);
    return status;
}
