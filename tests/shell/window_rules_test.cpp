// The window rules model against what the reference window system does, one
// row per situation. A row plays a few steps (windows opening and ending,
// keys, characters, the pointer) and checks where the last step went and the
// state after it. Step words:
//   dialog | box | end N | forget N | request | expose | closebox
//   down KEY | up KEY | type C      (KEY+alt, C+alt: with Alt held)
//   move PLACE | click PLACE        (PLACE: field, bar, title N, item N, win N)
// Checks (after all steps, in order): keys N, main on|off, frame yes|no (takes
// the frame), recheck yes|no (takes the pointer's recheck), closing yes|no, turning N yes|no, shown N.., menu none |
// menu T bar | menu T open I, cues yes|no, step unwind|destroy|frame|idle (the pump's next step, taken).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/shell/dialog_geometry.h"
#include "platform/shell/dialog_text.h"
#include "platform/shell/window_rules.h"
#include "resources/resource_ids.h"

namespace {

KeyStroke key_of(std::string word) {
    KeyStroke k;
    if (word.size() > 4 && word.substr(word.size() - 4) == "+alt") {
        k.alt = true;
        word.resize(word.size() - 4);
    }
    const std::pair<const char*, Key> names[] = {{"alt", Key::alt},     {"f4", Key::f4},     {"f10", Key::f10},
                                                 {"enter", Key::enter}, {"esc", Key::escape}, {"space", Key::space},
                                                 {"left", Key::left},   {"right", Key::right}, {"up", Key::up},
                                                 {"down", Key::down}};
    for (const auto& [name, key] : names)
        if (word == name) k.key = key;
    if (word.size() == 1) k.letter = word[0];
    return k;
}

Place place_of(std::istream& in) {
    std::string kind;
    int n = -1;
    in >> kind >> n;  // field and bar come without a number
    if (kind == "field") return {Place::field};
    if (kind == "bar") return {Place::bar};
    if (kind == "title") return {Place::menu_title, n};
    if (kind == "item") return {Place::menu_item, n};
    return {Place::popup, -1, n};
}

std::string describe(const Route& r) {
    switch (r.kind) {
    case Route::none: return "none";
    case Route::game_mouse_moved: return "game move";
    case Route::game_left_button: return "game click";
    case Route::game_key_released: return "game key " + std::to_string(r.value);
    case Route::command: return "command " + std::to_string(r.value);
    case Route::to_window: return "win " + std::to_string(r.window);
    case Route::window_command: return "win " + std::to_string(r.window) + " cmd " + std::to_string(r.value);
    case Route::close_program: return "close";
    }
    return "?";
}

Route play(WindowRules& rules, const std::string& step) {
    std::istringstream in(step);
    std::string word, arg;
    in >> word;
    if (word == "dialog") rules.open(WindowKind::dialog);
    else if (word == "box") rules.open(WindowKind::box);
    else if (word == "request") rules.frame_requested();
    else if (word == "expose") rules.exposed();
    else if (word == "closebox") return rules.close_box();
    else if (word == "move") return rules.pointer_moved(place_of(in));
    else if (word == "click") return rules.button_down(place_of(in));
    else if (in >> arg; word == "end") rules.end(std::stoi(arg));
    else if (word == "forget") rules.forget(std::stoi(arg));
    else if (word == "down") return rules.key_down(key_of(arg));
    else if (word == "up") return rules.key_up(key_of(arg));
    else if (word == "type") return rules.typed(static_cast<unsigned char>(arg[0]), arg.size() > 1);
    else ADD_FAILURE() << "unknown step " << step;
    return {};
}

std::string yes(bool b) { return b ? "yes" : "no"; }

// What check says of the rules now, in the check's own words.
std::string observe(WindowRules& rules, const std::string& check) {
    std::istringstream in(check);
    std::string word;
    int n = 0;
    in >> word;
    if (word == "keys") return "keys " + std::to_string(rules.keyboard());
    if (word == "main") return std::string("main ") + (rules.main_enabled() ? "on" : "off");
    if (word == "frame") return "frame " + yes(rules.take_frame());
    if (word == "closing") return "closing " + yes(rules.closing());
    if (word == "recheck") return "recheck " + yes(rules.take_pointer_recheck());
    if (word == "turning" && in >> n) return "turning " + std::to_string(n) + " " + yes(rules.turning(n));
    if (word == "cues") return "cues " + yes(rules.menu().cues);
    const char* const pump_steps[] = {"unwind", "destroy", "frame", "idle"};  // in PumpStep's order
    if (word == "step") return std::string("step ") + pump_steps[static_cast<int>(rules.after_events())];
    if (word == "shown") {
        std::string s = "shown";
        for (int id : rules.shown_windows()) s += " " + std::to_string(id);
        return s;
    }
    if (word == "menu") {
        const MenuState m = rules.menu();
        if (m.title < 0) return "menu none";
        return "menu " + std::to_string(m.title) + (m.open ? " open " + std::to_string(m.item) : " bar");
    }
    return "unknown check " + check;
}

// A row: its name, its steps, where the last step went, the state after it.
struct Row { const char *name, *steps, *route, *checks; };

constexpr Row rows[] = {
    // Frames: only when the last one asked, or the window was uncovered.
    {"nothing_asked_nothing_runs", "", "none", "frame no, step idle, cues no"},
    {"asked_frame_runs_once", "request", "none", "frame yes, frame no"},
    {"box_from_a_frame_stands_still", "box", "none", "frame no, recheck no"},
    {"dialog_between_frames_keeps_them", "request, dialog", "none", "frame yes"},
    {"uncovering_paints_under_a_box", "box, expose", "none", "frame yes"},
    {"ended_dialog_uncovers", "dialog, end 1", "none", "frame yes, main on, keys 0"},
    {"closing_without_loops", "request, closebox", "close", "frame no, closing yes, step destroy, step unwind"},
    {"closed_drop_down_uncovers", "click title 0, click title 0", "none", "menu none, frame yes"},
    {"drop_down_giving_way_uncovers", "click title 0, move title 1", "none", "menu 1 open -1, frame yes"},
    {"bar_alone_covers_nothing", "down f10, up f10, down right", "none", "frame no"},
    // The pump: a frame when one is due, and the end only once every loop has unwound.
    {"pump_runs_the_asked_frame_once", "request", "none", "step frame, step idle"},
    {"pump_unwinds_a_closing_box", "box, request, closebox", "close", "step unwind, step unwind"},
    {"pump_destroys_once_unwound", "box, closebox, forget 1", "none", "step destroy, step unwind"},
    // Alt+F4 goes to the window with the keyboard; the close box to the main window.
    {"alt_f4_cancels_a_dialog", "dialog, down f4+alt", "win 1 cmd 2", "closing no"},
    {"alt_f4_is_a_box_ok", "box, down f4+alt", "win 1 cmd 1", "closing no"},
    {"alt_f4_on_main_closes", "down f4+alt", "close", "closing yes"},
    {"alt_f4_on_main_under_a_box", "box, click field, down f4+alt", "close", "turning 1 no"},
    {"close_box_dead_under_a_dialog", "dialog, closebox", "none", "closing no, turning 1 yes"},
    {"close_box_under_a_box_closes", "box, closebox", "close", "turning 1 no"},
    // An ownerless box has the keyboard until the main window is clicked.
    {"box_takes_enter", "box, down enter", "win 1 cmd 1", "keys 1"},
    {"box_takes_space", "box, down space", "win 1 cmd 1", ""},
    {"box_takes_escape", "box, down esc", "win 1 cmd 1", ""},
    {"p_held_back_by_box", "box, up p", "none", ""},
    {"click_behind_box_reaches_game", "box, click field", "game click", "keys 0, shown 1, main on"},
    {"p_after_click_behind_box", "box, click field, up p", "game key 80", ""},
    {"enter_after_click_behind_box", "box, click field, down enter", "none", "shown 1"},
    {"box_clicked_again_takes_keys", "box, click field, click win 1, down esc", "win 1 cmd 1", ""},
    {"menu_letter_after_click_behind_box", "box, click field, down h+alt", "none", "menu 1 open 0"},
    // The pointer: a box takes the moves over it; a dialog disables the field.
    {"moves_over_box_go_to_it", "box, move win 1", "win 1", ""},
    {"moves_beside_box_reach_game", "box, move field", "game move", ""},
    {"no_moves_under_dialog", "dialog, move field", "none", ""},
    {"no_clicks_under_dialog", "dialog, click field", "none", "keys 1"},
    {"no_moves_from_the_bar", "move bar", "none", ""},
    // A dialog that ends is hidden at once and gives its owner back.
    {"ended_outer_dialog_hides_under_box", "dialog, box, end 1", "none", "shown 2, main on, keys 2, turning 1 no"},
    {"inner_dialog_leaves_owner_disabled", "dialog, dialog, end 2", "none", "shown 1, main off, keys 1"},
    {"outer_dialog_enables_owner", "dialog, dialog, end 1", "none", "shown 2, main on, keys 2"},
    {"forgotten_box_gives_keys_back", "box, forget 1", "none", "keys 0, shown"},
    {"a_window_gone_rechecks_the_pointer", "box, end 1", "none", "recheck yes, recheck no"},
    {"dialog_command_after_nested_end", "dialog, box, end 2, down esc", "win 1 cmd 2", ""},
    // The accelerators: the typed character, with Alt, in the main loop only.
    {"alt_question_mark", "type ?+alt", "command 104", ""},
    {"alt_slash", "type /+alt", "command 104", ""},
    {"question_mark_alone", "type ?", "none", ""},
    {"no_accelerator_in_a_box_loop", "box, click field, type /+alt", "none", ""},
    {"no_accelerator_in_a_dialog", "dialog, type ?+alt", "none", ""},
    {"characters_go_to_a_dialog", "dialog, type x", "win 1", ""},
    // P: its release, not with Alt held.
    {"p_release_toggles", "up p", "game key 80", ""},
    {"p_release_with_alt_is_a_system_key", "up p+alt", "none", ""},
    {"p_press_does_nothing", "down p", "none", ""},
    {"key_up_in_a_dialog_goes_to_it", "dialog, up p", "win 1", ""},
    // The menu bar from the keyboard.
    {"alt_alone_selects_the_bar", "down alt, up alt", "none", "menu 0 bar, cues yes"},
    {"f10_selects_the_bar", "down f10, up f10", "none", "menu 0 bar"},
    {"alt_with_a_key_is_not_alone", "down alt, down p+alt, up p+alt, up alt", "none", "menu none"},
    {"alt_letter_opens_its_menu", "down alt, down h+alt, up h+alt, up alt", "none", "menu 1 open 0"},
    {"cues_while_alt_held", "down alt", "none", "cues yes, menu none"},
    {"right_then_enter_opens", "down f10, up f10, down right, down enter", "none", "menu 1 open 0"},
    {"enter_chooses", "down f10, up f10, down right, down enter, down enter", "command 104", "menu none"},
    {"arrows_walk_the_items", "down f10, up f10, down down, down down, down enter", "command 105", ""},
    {"up_wraps_to_the_last", "down f10, up f10, down down, down up, down enter", "command 105", ""},
    {"left_wraps", "down f10, up f10, down left", "none", "menu 1 bar"},
    {"escape_closes_the_drop_down_first", "down f10, up f10, down enter, down esc", "none", "menu 0 bar"},
    {"escape_twice_leaves", "down f10, up f10, down enter, down esc, down esc", "none", "menu none"},
    {"alt_again_leaves", "down alt, up alt, down alt", "none", "menu none"},
    {"letters_in_the_menu", "down f10, up f10, down f, down x", "command 105", ""},
    {"no_game_keys_in_the_menu", "down f10, up f10, up p", "none", "menu 0 bar"},
    // The menu by the mouse.
    {"click_opens", "click title 0", "none", "menu 0 open -1, cues no"},
    {"move_highlights", "click title 0, move item 1", "none", "menu 0 open 1"},
    {"click_item_chooses", "click title 0, click item 1", "command 105", "menu none"},
    {"click_elsewhere_only_closes", "click title 0, click field", "none", "menu none"},
    {"no_menu_under_a_dialog", "dialog, click title 0", "none", "menu none, keys 1"},
    {"a_box_closes_the_menu", "click title 0, box", "none", "menu none, keys 1"},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name << ": " << row.steps; }

class WindowRulesRow : public ::testing::TestWithParam<Row> {};

TEST_P(WindowRulesRow, GoesWhereTheReferenceSends) {
    const Row& row = GetParam();
    WindowRules rules;
    Route last;
    std::istringstream steps(row.steps), checks(row.checks);
    for (std::string step; std::getline(steps >> std::ws, step, ',');) last = play(rules, step);
    EXPECT_EQ(describe(last), row.route);
    for (std::string check; std::getline(checks >> std::ws, check, ',');) EXPECT_EQ(observe(rules, check), check);
}

std::string row_name(const ::testing::TestParamInfo<Row>& row) { return row.param.name; }
INSTANTIATE_TEST_SUITE_P(Rows, WindowRulesRow, ::testing::ValuesIn(rows), row_name);

// The name edit keeps what a score record holds: 99 units, a character
// outside the basic plane counting two.
TEST(DialogText, NameKeepsWhatTheRecordHolds) {
    const struct { std::string typed; size_t bytes; } cases[] = {
        {std::string(120, 'a'), 99},
        {std::string(99, 'a'), 99},
        {std::string(98, 'a') + "\xF0\x9F\x90\x9D", 98},       // the bee would be units 99 and 100
        {std::string(97, 'a') + "\xF0\x9F\x90\x9D", 101},
        {std::string(98, 'a') + "\xC3\xA9\xC3\xA9", 100},      // one e-acute fits, not two
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(name_bytes_kept(c.typed), c.bytes) << c.typed;
}

// The templates' units in pixels of the dialog font, worked out by hand:
// x * 7 / 4 and y * 13 / 8, rounded to the nearest pixel; each dialog below a
// 20-pixel menu bar, its caption included.
TEST(DialogGeometry, TemplatesInPixels) {
    const struct { int dialog, x, y, w, h; } dialogs[] = {
        {IDD_ABOUTBOX, 39, 48, 403, 141},     // 22, 17, 230 x 75
        {IDD_HIGH_SCORES, 0, 20, 326, 151},   // 0, 0, 186 x 81
        {IDD_NEW_SCORE, 0, 20, 326, 151},
    };
    for (const auto& d : dialogs) {
        const PixelRect r = dialog_rect(*find_dialog_layout(d.dialog), 20);
        EXPECT_EQ((std::vector<int>{r.x, r.y, r.w, r.h}), (std::vector<int>{d.x, d.y, d.w, d.h})) << d.dialog;
    }
    // High Scores' OK at 129, 60, 50 x 14, under the caption.
    const DialogLayout& scores = *find_dialog_layout(IDD_HIGH_SCORES);
    const PixelRect ok = control_rect(scores.controls[0], dialog_rect(scores, 20));
    EXPECT_EQ((std::vector<int>{ok.x, ok.y, ok.w, ok.h}), (std::vector<int>{226, 137, 88, 23}));
}

TEST(DialogGeometry, BoxesGrowWithTheirTextFromTheLeastWidth) {
    const struct { int text_width, x, w; } cases[] = {{0, 210, 220}, {120, 210, 220}, {121, 209, 221}, {300, 120, 400}};
    for (const auto& c : cases) {
        const PixelRect box = box_rect(c.text_width, 640, 460);
        // Its top at (460 - 111) / 2.
        EXPECT_EQ((std::vector<int>{box.x, box.y, box.w}), (std::vector<int>{c.x, 174, c.w})) << c.text_width;
        // The OK button stays inside the box, at its right.
        const PixelRect ok = box_button_rect(box);
        EXPECT_LE(ok.x + ok.w, box.x + box.w);
        EXPECT_GT(ok.x, box.x + box.w / 2);
    }
}

TEST(DialogText, AmpersandsAsAStaticControlShowsThem) {
    const struct { std::string text; bool no_prefix; std::string shown; size_t underline; } cases[] = {
        {"10: R&D.", false, "10: RD.", 5},
        {"10: R&&D.", false, "10: R&D.", std::string::npos},
        {"&a&b", false, "ab", 1},
        {"end&", false, "end", std::string::npos},
        {"WaxDrop & co", true, "WaxDrop & co", std::string::npos},
    };
    for (const auto& c : cases) {
        const ShownText s = shown_text(c.text, c.no_prefix);
        EXPECT_EQ(s.text, c.shown) << c.text;
        EXPECT_EQ(s.underline, c.underline) << c.text;
    }
}

}  // namespace
