// The frame's drawing with GDI: everything goes into back_dc (the 640 x 440
// back buffer) and one SRCCOPY shows it, so the window never holds half a
// frame. Sprites are ORed in from their own memory contexts, which makes
// their black surroundings transparent without masks.

#include "platform/canvas.h"
#include "platform/win32/win32_shell.h"

namespace {

HDC image_dc(SpriteImage image) {
    switch (image) {
    case SpriteImage::paddle: return win32_shell.paddle_dc;
    case SpriteImage::comb: return win32_shell.comb_dc;
    case SpriteImage::bee_a: return win32_shell.bee_dc_a;
    case SpriteImage::bee_b: return win32_shell.bee_dc_b;
    case SpriteImage::bullet: return win32_shell.bullet_dc;
    case SpriteImage::ball: return win32_shell.ball_dc;
    }
    return nullptr;
}

constexpr COLORREF score_magenta = RGB(255, 0, 255);
constexpr COLORREF score_background = RGB(0, 0, 0);

}  // namespace

// The context's default pen is black too, so the outline vanishes with the fill.
void canvas_clear() {
    SelectObject(win32_shell.back_dc, GetStockObject(BLACK_BRUSH));
    Rectangle(win32_shell.back_dc, 0, 0, field_width, field_height);
}

void canvas_draw_sprite(SpriteImage image, int x, int y, int w, int h) {
    BitBlt(win32_shell.back_dc, x, y, w, h, image_dc(image), 0, 0, SRCPAINT);
}

// The background mode stays opaque: the box behind the text is black and
// covers whatever sprite lies under the numbers.
void canvas_draw_score_line(const char16_t* text) {
    HDC dc = win32_shell.back_dc;
    SetTextColor(dc, score_magenta);
    SetBkColor(dc, score_background);
    if (win32_shell.hud_font) SelectObject(dc, win32_shell.hud_font);
    RECT line{0, 0, field_width, 20};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text), -1, &line, DT_CENTER | DT_NOCLIP);
}

void canvas_present(const PaintInfo& paint) {
    const PaintRect& r = paint.rect;
    BitBlt(static_cast<HDC>(paint.surface), r.left, r.top, r.right - r.left, r.bottom - r.top,
           win32_shell.back_dc, r.left, r.top, SRCCOPY);
}

// An internal paint as well as an invalidation: frames keep coming even
// while nothing of the window is visible (minimised), and nothing is erased.
void canvas_request_frame() {
    RedrawWindow(win32_shell.main_window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}
