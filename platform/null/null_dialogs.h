#pragma once
// Scripted dialogs and recorded message boxes. The "player" is a queue of
// steps shared by every dialog that opens: type a text into an item, or press
// a button (command_ok; command_cancel also stands for Esc and the close box).
// Each dialog_run sends the init event, then takes steps until the procedure
// calls dialog_end, as a real modal dialog would.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

struct NullDialogStep {
    enum Kind { type, press } kind;
    int item = 0;       // type: the item whose text the player replaces
    int command = 0;    // press: the command the procedure receives
    std::u16string text;
};
NullDialogStep null_type(int item, std::u16string text);
NullDialogStep null_press(int command);

// One dialog as it ran.
struct NullDialogRun {
    int template_id = 0;
    std::map<int, std::u16string> shown;  // item texts right after init
    std::map<int, std::u16string> items;  // item texts when it closed
    std::vector<bool> answers;            // the procedure's answer to each event, init first
    bool ended = false;                   // dialog_end was called
    intptr_t result = -1;
    // The script ran out (or hit step_limit) before the procedure ended the
    // dialog: a real player would be stuck in it, the runner gives up.
    bool abandoned = false;
};

struct NullDialogs {
    std::deque<NullDialogStep> script;
    int step_limit = 1000;                 // steps one dialog may take
    std::vector<NullDialogRun> runs;       // finished dialogs, in order
    std::vector<std::pair<std::u16string, std::u16string>> boxes;  // (text, caption)
    // Runs while a message box is open, after it is recorded; the shell's
    // paint messages would run game frames there.
    std::function<void()> while_box_open;
    // Runs while a dialog is open, after init and before the player's steps.
    std::function<void()> while_dialog_open;
};
extern NullDialogs null_dialogs;

void reset_null_dialogs();
