#pragma once
// The browser game's one window: the page's client area (the menu bar above
// the field's canvas, the dialogs and boxes over both), and the window rules
// its menu and dialogs follow, since the page draws them itself. Page thread
// only.

#include "platform/canvas.h"
#include "platform/shell/window_rules.h"

// The client area: the menu bar, then the 640 x 440 field right below it.
constexpr int menu_bar_height = 20;
constexpr int client_width = field_width;
constexpr int client_height = menu_bar_height + field_height;

// Find the page's client area; false when the page has none.
bool window_attach();
WindowRules& window_rules();
// The game has ended: the page says so and offers to start it again.
void window_show_ended();
