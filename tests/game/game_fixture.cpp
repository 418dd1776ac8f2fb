#include "tests/game/game_fixture.h"

#include "game/frame.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "scores/scores.h"
#include "sfx/effect_stream.h"

// TEMPORARY until the sfx and scores branches are merged.
extern std::vector<std::u16string> temp_played;

std::ostream& operator<<(std::ostream& out, const Heard& h) {
    return out << "{doing " << h.doing << ", hit " << h.hit << ", brick " << h.brick << ", buzz "
               << h.buzz << "}";
}

void GameTest::SetUp() {
    reset_null_platform();
    null_canvas = NullCanvas{};
    scratch.emplace();
    temp_played.clear();
    reset_null_dialogs();
    effects_open = true;
    table_scores(0, 0, 0);
    reset_world();
    new_game();
    null_clock.now = 100000;
    game.last_tick = null_clock.now;
}

void GameTest::TearDown() {
    effects_open = false;
    reset_world();
    scratch.reset();
}

void GameTest::step(uint32_t ms) {
    null_clock.now += ms;
    frame_step(paint);
}

void GameTest::steps(int n, uint32_t ms) {
    for (int i = 0; i < n; ++i) step(ms);
}

void GameTest::resume() {
    if (game.paused) toggle_pause();
}

void GameTest::place_ball(float x, float y, float vx, float vy) {
    ball().x = x;
    ball().y = y;
    ball().vx = vx;
    ball().vy = vy;
}

void GameTest::place_paddle(float x) {
    paddle().x = x;
    game.mouse_x = x;
    null_pointer.client_x = x;
}

void GameTest::bees_at(std::initializer_list<std::pair<float, float>> places, float vx) {
    clear(bee_list);
    for (auto it = std::rbegin(places); it != std::rend(places); ++it)
        push_front(bee_list, it->first, it->second, bee_width, bee_height, vx, 100);
    game.bees_attacking = true;
}

int GameTest::drawn(SpriteImage image) const {
    int n = 0;
    for (const auto& b : null_canvas.blits) n += b.image == image;
    return n;
}

Heard GameTest::heard() {
    Heard h;
    for (const auto& name : temp_played) {
        if (name == u"doing.wav") ++h.doing;
        if (name == u"hit.wav") ++h.hit;
        if (name == u"brick.wav") ++h.brick;
        if (name == u"buzz.wav") ++h.buzz;
    }
    temp_played.clear();
    return h;
}

int GameTest::boxes() const { return static_cast<int>(null_dialogs.boxes.size()); }

std::u16string GameTest::last_box() const {
    if (null_dialogs.boxes.empty()) return u"";
    EXPECT_EQ(null_dialogs.boxes.back().second, u"Pinecastle");
    return null_dialogs.boxes.back().first;
}

void GameTest::while_box_open(std::function<void()> hook) { null_dialogs.while_box_open = std::move(hook); }

int GameTest::new_score_dialogs() const {
    int n = 0;
    for (const auto& run : null_dialogs.runs) n += run.template_id == dialog_new_score;
    return n;
}

void GameTest::answer_new_score(const std::u16string& name) {
    constexpr int name_item = 1000;  // the dialog's edit field
    null_dialogs.script.push_back(null_type(name_item, name));
    null_dialogs.script.push_back(null_press(command_ok));
}

void GameTest::table_scores(int32_t a, int32_t b, int32_t c) {
    score_table = ScoreTable{};
    score_table.entries[0].score = a;
    score_table.entries[1].score = b;
    score_table.entries[2].score = c;
}
