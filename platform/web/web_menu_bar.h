#pragma once
// The main window's menu bar and its drop-downs, built in the page from the
// menu table and shown as the window rules' menu state says. Page thread only.

// Build the titles and their items.
void menu_bar_build();
// Show the bar as the rules say now (which title, which item, the mnemonic
// underlines, greyed while a dialog disables the window); only a change
// touches the page.
void menu_bar_show();
