#include "tests/game/game_fixture.h"

#include "game/frame.h"
#include "platform/null/null_canvas.h"
#include "platform/null/null_dialogs.h"
#include "platform/null/null_platform.h"
#include "platform/null/null_wave.h"
#include "scores/scores.h"
#include "sfx/effect_stream.h"

namespace {

// Each test effect is a short file of one constant sample value, a power of
// eight apart, so the sum the mixer leaves at the play position tells how
// often each was mixed (up to seven times each between two looks).
struct TestEffect {
    const char* name;
    int16_t value;
};
constexpr TestEffect test_effects[] = {{"doing.wav", 1}, {"hit.wav", 8}, {"brick.wav", 64}, {"buzz.wav", 512}};
constexpr uint32_t effect_frames = 4;

std::vector<uint8_t> constant_wav(int16_t value) {
    auto u32 = [](std::vector<uint8_t>& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [](std::vector<uint8_t>& b, uint16_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    const uint32_t data_bytes = effect_frames * 4;
    std::vector<uint8_t> b{'R', 'I', 'F', 'F'};
    u32(b, 36 + data_bytes);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
    u32(b, 16);
    u16(b, 1);          // PCM
    u16(b, 2);          // two channels
    u32(b, 11025);
    u32(b, 11025 * 4);
    u16(b, 4);
    u16(b, 16);
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    u32(b, data_bytes);
    for (uint32_t i = 0; i < effect_frames * 2; ++i) u16(b, static_cast<uint16_t>(value));
    return b;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Heard& h) {
    return out << "{doing " << h.doing << ", hit " << h.hit << ", brick " << h.brick << ", buzz "
               << h.buzz << "}";
}

void GameTest::SetUp() {
    reset_null_platform();
    null_canvas = NullCanvas{};
    scratch.emplace();
    reset_null_dialogs();
    close_effects();
    reset_null_wave();
    play_pos.store(0);
    for (const TestEffect& e : test_effects) write_file(scratch->media(e.name), constant_wav(e.value));
    open_effects();
    ASSERT_TRUE(effects_open);
    table_scores(0, 0, 0);
    reset_world();
    new_game();
    null_clock.now = 100000;
    game.last_tick = null_clock.now;
}

void GameTest::TearDown() {
    close_effects();
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
    // Every effect of a frame starts at the play position, and no block is
    // played meanwhile (the null device plays only when told), so their sum
    // stands there. Take it, then leave the ring silent for the next look.
    if (!sample_ring) return {};
    const uint32_t at = play_pos.load();
    int sum = sample_ring[at & ring_mask].load();
    for (uint32_t i = 0; i < effect_frames; ++i) sample_ring[(at + i) & ring_mask].store(0);
    Heard h;
    h.buzz = sum / 512;
    sum %= 512;
    h.brick = sum / 64;
    sum %= 64;
    h.hit = sum / 8;
    h.doing = sum % 8;
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
