#pragma once
// What the Linux game shows of each open dialog and message box: its place in
// the window, its controls' texts, drawn with Dear ImGui from the dialog
// table, and the commands its buttons gave. The window rules decide which of
// them are shown and which has the keyboard; this only draws them. The views
// are also published on the X window (property _WAXDROP_DIALOGS, JSON), the
// way a system's dialogs can be read by other programs, which the end-to-end
// tests do. Window thread only.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell/dialog_geometry.h"
#include "platform/shell/dialog_text.h"
#include "platform/shell/resource_tables.h"

struct DialogView {
    int window = 0;                        // its id in the window rules
    const DialogLayout* layout = nullptr;  // null for a message box
    DialogProc proc = nullptr;
    std::string caption;                   // UTF-8
    std::string message;                   // message box only
    std::vector<std::string> texts;        // one per control
    char edit[4 * name_units + 1] = {};
    bool first_pass = true;                // the edit takes the keyboard once
    intptr_t result = 0;
    SDL_Rect rect{};                       // client pixels, title bar included
};

// A dialog from its template, or a message box.
void dialog_view_init(DialogView& view, const DialogLayout* layout, DialogProc proc);
void dialog_view_init_box(DialogView& view, const std::string& message, const std::string& caption);
void dialog_view_add(DialogView* view);
void dialog_view_remove(DialogView* view);
DialogView* dialog_view_of(int window);
// The shown view on top at client pixel (x, y), or null.
DialogView* dialog_view_at(int x, int y);
// A command for the view: its procedure's answer, or the end of a box.
void dialog_view_command(DialogView* view, int command);
// The views' controls changed (texts, the edit).
void dialog_views_changed();

// Draw every shown view, bottom first, in the current ImGui pass.
void dialog_views_draw();
// Run the commands the buttons gave during the last pass.
void dialog_views_run_pending();
// Publish the views and the menu state on the window when they changed.
void dialog_views_publish();
void dialog_views_set_icon(SDL_Texture* icon);
