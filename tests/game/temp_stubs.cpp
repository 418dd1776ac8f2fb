// TEMPORARY, test-only: stand-ins for the effect stream, the effect mixer,
// the score table and the message box until the sfx and scores branches are
// merged. Deleted right after that merge.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "scores/scores.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

std::atomic<bool> effects_open{false};
std::vector<std::u16string> temp_played;
std::vector<std::u16string> temp_boxes;
std::function<void()> temp_box_hook;
ScoreTable score_table{};
int temp_dialog_runs = 0;

int32_t play_effect(const char16_t* name) {
    temp_played.push_back(name);
    return 0;
}

void message_box(const char16_t* text, const char16_t*) {
    temp_boxes.push_back(text);
    if (temp_box_hook) temp_box_hook();
}

void submit_score(int32_t score) {
    if (static_cast<uint32_t>(score) > static_cast<uint32_t>(score_table.entries[2].score)) {
        ++temp_dialog_runs;
        score_table.entries[2].score = score;
    } else {
        message_box(u"GAME OVER", u"Pinecastle");
    }
}
