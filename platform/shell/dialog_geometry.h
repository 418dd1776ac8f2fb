#pragma once
// Where the dialogs and message boxes sit in the client area, in pixels, for
// the shells that draw them inside the game's window. The templates measure
// in dialog units of the system's dialog font (7 x 13 pixels for the average
// character at the size the templates were made for), so both shells show
// the same boxes at the same places and sizes. Any thread.

#include "platform/shell/resource_tables.h"

// A caption bar above each dialog's and box's client area.
constexpr int caption_height = 19;
// A message box is never narrower than this, however short its text.
constexpr int box_min_width = 220;

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// Dialog units to pixels, rounded as the system rounds them.
int dlu_x(int units);
int dlu_y(int units);

// A dialog at its template's place, measured from the client area's top-left
// corner below the menu bar (top), caption included.
PixelRect dialog_rect(const DialogLayout& layout, int top);
// A control of a dialog at rect (as dialog_rect gave it).
PixelRect control_rect(const ControlLayout& control, const PixelRect& dialog);

// A message box for a text text_width pixels wide, centred in a client area
// of client_w x client_h, caption included; its warning sign, text and OK
// button inside it.
PixelRect box_rect(int text_width, int client_w, int client_h);
PixelRect box_sign_rect(const PixelRect& box);
PixelRect box_text_rect(const PixelRect& box);
PixelRect box_button_rect(const PixelRect& box);
