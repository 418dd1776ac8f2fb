#pragma once
// The main window's menu bar and its drop-downs, drawn with Dear ImGui from
// the menu table and the window rules' menu state. Window thread only.

#include "platform/shell/window_rules.h"

// What of the bar or the open drop-down lies at client pixel (x, y): false
// when neither does.
bool menu_bar_place(int x, int y, Place& place);
// Draw the bar and the open drop-down in the current ImGui pass.
void menu_bar_draw();
