#pragma once
// One open dialog or message box of the Linux shell, shared by the dialog
// port (which runs its loop) and the menu layer (which draws it).

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/dialog_layout.h"

// Longest name the New High Score box takes, in UTF-16 units (the score
// record holds 99 and its terminating zero).
constexpr int name_edit_limit = 99;

struct UiDialog {
    const DialogLayout* layout = nullptr;  // null for a message box
    DialogProc proc = nullptr;
    std::string caption;                   // message box only, UTF-8
    std::string message;                   // message box only, UTF-8
    std::vector<std::string> texts;        // one per control, UTF-8
    char edit[4 * name_edit_limit + 1] = {};
    bool first_pass = true;                // focus and select the edit once
    bool ended = false;
    intptr_t result = 0;
    SDL_Rect rect{};                       // client pixels, title bar included
};

// A command for dialog d: its procedure's answer, or the end of a message box.
void ui_dialog_command(UiDialog* d, int command);
// Dialog units to pixels of the menu layer's font.
int dlu_x(int units);
int dlu_y(int units);
constexpr int dialog_title_height = 19;
