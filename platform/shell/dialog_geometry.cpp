#include "platform/shell/dialog_geometry.h"

#include <algorithm>

int dlu_x(int units) { return (units * 7 + 2) / 4; }
int dlu_y(int units) { return (units * 13 + 4) / 8; }

PixelRect dialog_rect(const DialogLayout& layout, int top) {
    return {dlu_x(layout.x), top + dlu_y(layout.y), dlu_x(layout.w), dlu_y(layout.h) + caption_height};
}

PixelRect control_rect(const ControlLayout& c, const PixelRect& dialog) {
    return {dialog.x + dlu_x(c.x), dialog.y + caption_height + dlu_y(c.y), dlu_x(c.w), dlu_y(c.h)};
}

// The box's text starts right of the sign, and as much room again is kept
// around it, so a long text still leaves a margin at the right.
PixelRect box_rect(int text_width, int client_w, int client_h) {
    const int w = std::max(box_min_width, text_width + 100);
    const int h = 92 + caption_height;
    return {(client_w - w) / 2, (client_h - h) / 2, w, h};
}

PixelRect box_sign_rect(const PixelRect& box) { return {box.x + 16, box.y + caption_height + 14, 32, 30}; }
PixelRect box_text_rect(const PixelRect& box) { return {box.x + 64, box.y + caption_height + 22, box.w - 80, 16}; }
PixelRect box_button_rect(const PixelRect& box) { return {box.x + box.w - 92, box.y + caption_height + 56, 76, 22}; }
