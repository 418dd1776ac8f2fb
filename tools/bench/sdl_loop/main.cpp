// waxdrop-sdl-loop [SECONDS]: the Linux game's frame rate against a bare SDL
// loop in the same run. The bare loop only uploads a 640 x 440 streaming
// texture, copies it below a 20-pixel bar and presents, with the game's own
// renderer (SDL's software renderer, no vsync); the game runs its real start-up, event pump, frames and
// menu layer with the game resumed. Prints start-up to first frame, frames
// per second of each (bare, game, bare again), their ratio, and the game's
// frame time median and 99th percentile.

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "app/game_handlers.h"
#include "game/game_state.h"
#include "platform/sdl/sdl_program.h"
#include "platform/sdl/sdl_window.h"
#include "platform/soft/soft_canvas.h"

#ifndef WAXDROP_BUILD_DIR
#define WAXDROP_BUILD_DIR "."
#endif

namespace {

using Clock = std::chrono::steady_clock;
double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

double bare_loop(double seconds) {
    SDL_Window* w = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, client_width,
                                     client_height, 0);
    SDL_Renderer* r = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);  // as the game's
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, field_width,
                                       field_height);
    std::vector<uint32_t> pixels(field_width * field_height);
    const SDL_Rect dst{0, menu_bar_height, field_width, field_height};
    long frames = 0;
    const auto start = Clock::now();
    while (seconds_since(start) < seconds) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        pixels[static_cast<size_t>(frames % static_cast<long>(pixels.size()))] ^= 0xFFFFFF;
        SDL_UpdateTexture(t, nullptr, pixels.data(), field_width * 4);
        SDL_RenderCopy(r, t, nullptr, &dst);
        SDL_RenderPresent(r);
        ++frames;
    }
    const double fps = static_cast<double>(frames) / seconds_since(start);
    SDL_DestroyTexture(t);
    SDL_DestroyRenderer(r);
    SDL_DestroyWindow(w);
    return fps;
}

// Milliseconds since the process began, from the kernel's record of its start
// (in clock ticks since boot, so to within one tick): what dynamic loading
// and static set-up cost comes before main's own clock starts.
double ms_since_process_start() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double start_s = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - start_s) * 1000;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const auto t0 = Clock::now();
    const double before_main_ms = ms_since_process_start();
    // The game's own start-up, with its steps timed through the creation handler.
    static double window_ms = 0, game_start_ms = 0;
    static Clock::time_point started;
    started = t0;
    ShellHandlers handlers = game_handlers();
    handlers.created = [] {
        window_ms = seconds_since(started) * 1000;
        game_start();
        game_start_ms = seconds_since(started) * 1000;
    };
    if (!shell_open("WaxDrop", handlers, std::string(WAXDROP_BUILD_DIR) + "/resources")) {
        std::fprintf(stderr, "waxdrop-sdl-loop: no window\n");
        return 1;
    }
    const double startup_ms = seconds_since(t0) * 1000;
    const std::string video_driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "none";
    const double process_ms = ms_since_process_start();

    // Both loops run while the game's music and effects play, so the audio
    // threads weigh on each alike: bare, game, bare.
    const double bare1 = bare_loop(seconds);
    toggle_pause();  // the game runs (a lost ball pauses it again; frames go on)
    std::vector<double> frame_ms;
    uint64_t seen = soft_frame_requests();
    auto last = Clock::now();
    const auto start = Clock::now();
    while (seconds_since(start) < seconds && !shell_window_destroyed()) {
        shell_pump();
        const uint64_t now_seen = soft_frame_requests();
        if (now_seen != seen) {
            const auto now = Clock::now();
            frame_ms.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            seen = now_seen;
        }
    }
    const double game_fps = static_cast<double>(frame_ms.size()) / seconds_since(start);
    const double bare2 = bare_loop(seconds);
    // Out through the window's destroy path, as the game leaves.
    shell_request_close();
    while (!shell_window_destroyed()) shell_pump();
    shell_close();
    std::sort(frame_ms.begin(), frame_ms.end());
    const auto pick = [&](double q) { return frame_ms.empty() ? 0.0 : frame_ms[static_cast<size_t>(q * static_cast<double>(frame_ms.size() - 1))]; };
    std::printf("renderer: %s\n", video_driver.c_str());
    std::printf("start-up to first frame: %.1f ms (window %.1f, game_start %.1f)\n", startup_ms, window_ms,
                game_start_ms);
    std::printf("process start to first frame: %.0f ms, to main %.0f ms (each to within %.0f ms)\n", process_ms,
                before_main_ms,
                1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK)));
    std::printf("bare loop: %.0f fps, game: %.0f fps, bare loop again: %.0f fps\n", bare1, game_fps, bare2);
    std::printf("game / bare: %.2f\n", game_fps / ((bare1 + bare2) / 2));
    std::printf("game frame time: median %.3f ms, p99 %.3f ms over %zu frames\n", pick(0.5), pick(0.99),
                frame_ms.size());
    return 0;
}
