// The procedures of the High Scores and New High Score dialogs. Both shells
// run them, so the rules for the name and the lines live here only.

#include "scores/scores.h"
#include "text/text.h"

namespace {

constexpr int name_capacity = 100;

}  // namespace

void format_high_score_line(const ScoreEntry& entry, char16_t* out) {
    // The game always ends a name within its 100 units, but an edited file
    // may not; take at most those 100 so nothing is read past the record.
    char16_t name[name_capacity + 1];
    copy_text(name, name_capacity + 1, entry.name);
    format_text(out, high_score_line_capacity, u"%i: %s.", entry.score, name);
}

bool high_scores_proc(DialogHandle dialog, DialogEvent event, int command) {
    if (event == DialogEvent::init) {
        for (int i = 0; i < 3; ++i) {
            char16_t line[high_score_line_capacity];
            format_high_score_line(score_table.entries[i], line);
            dialog_set_text(dialog, item_first_score_line + i, line);
        }
        return true;
    }
    // Only OK or Enter closes it; Esc and the close box are left unanswered.
    if (command == command_ok) {
        dialog_end(dialog, command_ok);
        return true;
    }
    return false;
}

bool new_score_proc(DialogHandle dialog, DialogEvent event, int command) {
    if (event == DialogEvent::init) {
        copy_text(pending_entry.name, name_capacity, u"anonymous");
        dialog_set_text(dialog, item_name_edit, pending_entry.name);
        return true;
    }
    if (command == command_ok) {
        // A longer name is cut to 99 units and its zero.
        dialog_get_text(dialog, item_name_edit, pending_entry.name, name_capacity);
        dialog_end(dialog, command_ok);
        return true;
    }
    if (command == command_cancel) {
        dialog_end(dialog, command_cancel);
        return true;
    }
    return false;
}
