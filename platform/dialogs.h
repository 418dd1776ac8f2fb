#pragma once
// Modal dialogs and message boxes. Window thread only. A modal call returns
// when the dialog ends; meanwhile the shell keeps painting the main window,
// so frames of the game may run inside it.

#include <cstdint>

#include "resources/resource_ids.h"

// Dialog templates of the game's own resources.
enum : int {
    dialog_about = IDD_ABOUTBOX,
    dialog_high_scores = IDD_HIGH_SCORES,
    dialog_new_score = IDD_NEW_SCORE,
};

// Items of those templates the core reads or writes.
enum : int {
    item_name_edit = IDC_NAME_EDIT,               // New High Score: the name
    item_first_score_line = IDC_SCORE_LINE_1,     // High Scores: lines 1001, 1002, 1003, best first
};

// Command numbers a dialog procedure receives (the low 16 bits of the command).
enum : int {
    command_ok = 1,
    command_cancel = 2,
};

// An open dialog, opaque to the core.
using DialogHandle = void*;

enum class DialogEvent { init, command };

// The core's side of a dialog: answers true for an event it handled.
// For DialogEvent::init, command is 0.
using DialogProc = bool (*)(DialogHandle dialog, DialogEvent event, int command);

// Run dialog template_id modally, owned by the main window; the result passed
// to dialog_end is returned (the game never looks at it).
intptr_t dialog_run(int template_id, DialogProc proc);
void dialog_end(DialogHandle dialog, intptr_t result);
void dialog_set_text(DialogHandle dialog, int item, const char16_t* text);
// Copy at most capacity - 1 units of the item's text and a zero into out.
void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity);

// The caption of every message box the game shows.
inline constexpr char16_t message_caption[] = u"Pinecastle";

// A message box with no owner window, the warning icon and an OK button.
// Returns when the player closes it; the main window stays usable meanwhile.
void message_box(const char16_t* text, const char16_t* caption);
