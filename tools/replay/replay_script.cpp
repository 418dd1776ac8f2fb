#include "tools/replay/replay_script.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/controls.h"
#include "game/game_state.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"

namespace {

int count_new_score_dialogs() {
    int n = 0;
    for (const auto& run : null_dialogs.runs) n += run.template_id == dialog_new_score;
    return n;
}

struct Counter {
    const char* name;
    long long value;
};

std::vector<Counter> all_counters(const Replay& r) {
    return {{"frames", static_cast<long long>(r.play.frames)},
            {"score", game.score},
            {"level", game.level},
            {"balls", game.balls},
            {"bullets", game.bullets},
            {"ball_speed", game.ball_speed},
            {"paused", game.paused ? 1 : 0},
            {"combs", count(comb_list)},
            {"bees", count(bee_list)},
            {"bullet_flying", bullet_list.head ? 1 : 0},
            {"boxes", static_cast<long long>(null_dialogs.boxes.size())},
            {"name_dialogs", count_new_score_dialogs()},
            {"top_score", score_table.entries[0].score},
            // The ball's place and vertical speed, truncated to whole pixels.
            {"ball_x", ball_list.head ? static_cast<long long>(ball_list.head->x) : 0},
            {"ball_y", ball_list.head ? static_cast<long long>(ball_list.head->y) : 0},
            {"ball_vy", ball_list.head ? static_cast<long long>(ball_list.head->vy) : 0}};
}

std::u16string widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

bool expect(Replay& r, const std::string& name, long long wanted, int line) {
    for (const Counter& c : all_counters(r)) {
        if (name != c.name) continue;
        if (c.value != wanted) {
            std::fprintf(stderr, "line %d: expected %s %lld, got %lld\n", line, c.name, wanted, c.value);
            ++r.failures;
        }
        return true;
    }
    return false;
}

// One command; false when the line makes no sense.
bool run_command(Replay& r, std::istringstream& in, const std::string& word, int line) {
    if (word == "tick") return static_cast<bool>(in >> r.play.tick_ms);
    if (word == "click") return left_button_down(), true;
    if (word == "p") return key_released(key_p), true;
    if (word == "mouse") {
        float x;
        if (!(in >> x)) return false;
        null_pointer.client_x = x;
        mouse_moved();
        return true;
    }
    if (word == "name") {
        std::string name;
        std::getline(in >> std::ws, name);
        null_dialogs.script.push_back(null_type(item_name_edit, widen(name)));
        null_dialogs.script.push_back(null_press(command_ok));
        return true;
    }
    if (word == "run" || word == "auto") {
        uint64_t n;
        if (!(in >> n)) return false;
        run_frames(r, n, word == "auto");
        return true;
    }
    if (word == "snapshot") {
        std::string file;
        if (!(in >> file)) return false;
        if (!snapshot(r, file)) std::fprintf(stderr, "line %d: cannot write %s\n", line, file.c_str());
        return true;
    }
    if (word == "expect") {
        std::string name;
        long long value;
        return in >> name >> value && expect(r, name, value, line);
    }
    return false;
}

}  // namespace

void start_replay(Replay& r, const std::string& media_dir) {
    std::filesystem::create_directories(std::filesystem::path(media_dir) / "media");
    null_files.module_name = (std::filesystem::path(media_dir) / "waxdrop").u16string();
    auto_play_start(r.play);
}

void end_replay(Replay& r) { auto_play_end(r.play); }

void run_frames(Replay& r, uint64_t n, bool auto_play) { auto_play_frames(r.play, n, auto_play); }

std::string counters(const Replay& r) {
    std::string out;
    for (const Counter& c : all_counters(r)) {
        if (!out.empty()) out += ' ';
        out += c.name;
        out += ' ';
        out += std::to_string(c.value);
    }
    return out;
}

bool run_script(Replay& r, const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        const std::string::size_type hash = text.find('#');
        std::istringstream in(text.substr(0, hash));
        std::string word;
        if (!(in >> word)) continue;
        if (!run_command(r, in, word, line)) {
            std::fprintf(stderr, "%s:%d: cannot make sense of \"%s\"\n", path.c_str(), line, text.c_str());
            return false;
        }
    }
    return true;
}
