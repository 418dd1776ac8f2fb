#include "platform/sdl/dialog_layout.h"

namespace {

constexpr ControlLayout about_controls[] = {
    {ControlKind::icon, 2, 14, 9, 20, 20, "107", false},
    {ControlKind::static_text, -1, 49, 10, 119, 8, "WaxDrop Version 1.0", true},
    {ControlKind::static_text, -1, 49, 20, 168, 8, "Copyright (c) 2026 the WaxDrop developers", false},
    {ControlKind::default_button, 1, 195, 6, 30, 11, "OK", false},
    {ControlKind::static_text, -1, 49, 36, 168, 29, "Knock down honeycombs while avoiding bees!", false},
};

constexpr ControlLayout high_scores_controls[] = {
    {ControlKind::default_button, 1, 129, 60, 50, 14, "OK", false},
    {ControlKind::static_text, 1001, 7, 7, 172, 13, "Static", false},
    {ControlKind::static_text, 1002, 7, 22, 172, 13, "Static", false},
    {ControlKind::static_text, 1003, 7, 38, 172, 13, "Static", false},
};

constexpr ControlLayout new_score_controls[] = {
    {ControlKind::default_button, 1, 129, 47, 50, 14, "OK", false},
    {ControlKind::button, 2, 129, 60, 50, 14, "Cancel", false},
    {ControlKind::static_text, -1, 7, 7, 172, 15, "Enter your name for the score board.", false},
    {ControlKind::edit, 1000, 7, 20, 172, 15, "", false},
};

template <int N>
constexpr int count_of(const ControlLayout (&)[N]) { return N; }

constexpr DialogLayout about = {103, "About WaxDrop", "System", 8, 22, 17, 230, 75, true,
                                about_controls, count_of(about_controls)};
constexpr DialogLayout high_scores = {134, "High Scores", "MS Shell Dlg", 8, 0, 0, 186, 81, true,
                                      high_scores_controls, count_of(high_scores_controls)};
constexpr DialogLayout new_score = {135, "New High Score", "MS Shell Dlg", 8, 0, 0, 186, 81, false,
                                    new_score_controls, count_of(new_score_controls)};

const DialogLayout* const all[] = {&about, &high_scores, &new_score};

}  // namespace

const DialogLayout* find_dialog_layout(int id) {
    for (const DialogLayout* d : all)
        if (d->id == id) return d;
    return nullptr;
}

const DialogLayout* const* dialog_layouts(int& count) {
    count = static_cast<int>(sizeof all / sizeof all[0]);
    return all;
}
