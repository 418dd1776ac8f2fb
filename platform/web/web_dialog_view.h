#pragma once
// What the page shows of each open dialog and message box: elements over the
// field, laid out from the dialog table in the same pixels as the Linux
// game's, with their controls' texts, and the commands their buttons gave.
// The window rules decide which of them are shown and which has the
// keyboard; this only builds and shows them. Page thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell/dialog_geometry.h"
#include "platform/shell/resource_tables.h"

struct DialogView {
    int window = 0;                        // its id in the window rules
    const DialogLayout* layout = nullptr;  // null for a message box
    DialogProc proc = nullptr;
    intptr_t result = 0;
    PixelRect rect;                        // client pixels, caption included
};

// Get the page ready to take dialogs.
void dialog_views_attach();
// Put a dialog from its template, or a message box, on the page.
void dialog_view_open(DialogView& view, const DialogLayout* layout, DialogProc proc, int window);
void dialog_view_open_box(DialogView& view, const std::string& message, const std::string& caption, int window);
void dialog_view_close(DialogView& view);
DialogView* dialog_view_of(int window);
// A command for the view: its procedure's answer, or the end of a box.
void dialog_view_command(DialogView* view, int command);
// Run the commands the buttons gave since the last call.
void dialog_views_run_pending();
// Show the views as the rules say now: the ended ones gone, the active
// caption and the keyboard's place in the one that has it.
void dialog_views_show();
// A control's text (the name edit's as typed); empty for an unknown item.
void dialog_view_set_text(DialogView& view, int item, const std::string& text);
std::string dialog_view_text(const DialogView& view, int item);
