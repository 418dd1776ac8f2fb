// The frame's drawing with GDI: everything goes into back_dc (the 640 x 440
// back buffer) and one SRCCOPY shows it, so the window never holds half a
// frame. Sprites are ORed in from their own memory contexts, which makes
// their black surroundings transparent without masks.

#include "platform/win32/win32_canvas.h"

#include "platform/canvas.h"
#include "platform/win32/win32_shell.h"
#include "resources/resource_ids.h"

namespace {

// A handle that could not be obtained stays null, and the GDI call given it
// does nothing, so a missing surface only leaves a picture out.
struct Surfaces {
    HDC display_dc = nullptr;
    HDC back_dc = nullptr;
    HDC paddle_dc = nullptr;
    HDC comb_dc = nullptr;
    HDC bee_dc_a = nullptr;
    HDC bee_dc_b = nullptr;
    HDC bullet_dc = nullptr;
    HDC ball_dc = nullptr;

    HBITMAP back_buffer = nullptr;
    HBITMAP paddle_image = nullptr;  // 129
    HBITMAP comb_image = nullptr;    // 130
    HBITMAP bee_image_a = nullptr;   // 131
    HBITMAP ball_image = nullptr;    // 132
    HBITMAP bee_image_b = nullptr;   // 133
    HBITMAP bullet_image = nullptr;  // 136

    HFONT hud_font = nullptr;
};

Surfaces s;

HDC image_dc(SpriteImage image) {
    switch (image) {
    case SpriteImage::paddle: return s.paddle_dc;
    case SpriteImage::comb: return s.comb_dc;
    case SpriteImage::bee_a: return s.bee_dc_a;
    case SpriteImage::bee_b: return s.bee_dc_b;
    case SpriteImage::bullet: return s.bullet_dc;
    case SpriteImage::ball: return s.ball_dc;
    }
    return nullptr;
}

constexpr COLORREF score_magenta = RGB(255, 0, 255);
constexpr COLORREF score_background = RGB(0, 0, 0);

// Each image is selected into its context for the whole run; a missing one
// leaves its context empty and its sprites simply unseen.
HBITMAP load_image_into(HINSTANCE instance, HDC dc, int id) {
    auto image = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (image) SelectObject(dc, image);
    return image;
}

template <typename Handle>
void delete_object(Handle& h) {
    if (h) DeleteObject(h);
    h = nullptr;
}

void delete_dc(HDC& dc) {
    if (dc) DeleteDC(dc);
    dc = nullptr;
}

}  // namespace

// Every memory context is made like the display, so the sprites' bitmaps and
// the back buffer take its pixel format and a blit converts nothing.
void canvas_create_surfaces(HINSTANCE instance) {
    s.display_dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    s.back_dc = CreateCompatibleDC(s.display_dc);
    s.paddle_dc = CreateCompatibleDC(s.display_dc);
    s.comb_dc = CreateCompatibleDC(s.display_dc);
    s.bee_dc_a = CreateCompatibleDC(s.display_dc);
    s.bee_dc_b = CreateCompatibleDC(s.display_dc);
    s.bullet_dc = CreateCompatibleDC(s.display_dc);
    s.ball_dc = CreateCompatibleDC(s.display_dc);

    s.back_buffer = CreateCompatibleBitmap(s.display_dc, field_width, field_height);
    if (s.back_buffer) SelectObject(s.back_dc, s.back_buffer);

    s.paddle_image = load_image_into(instance, s.paddle_dc, IDB_PADDLE);
    s.comb_image = load_image_into(instance, s.comb_dc, IDB_COMB);
    s.bee_image_a = load_image_into(instance, s.bee_dc_a, IDB_BEE_A);
    s.bee_image_b = load_image_into(instance, s.bee_dc_b, IDB_BEE_B);
    s.bullet_image = load_image_into(instance, s.bullet_dc, IDB_BULLET);
    s.ball_image = load_image_into(instance, s.ball_dc, IDB_BALL);

    s.hud_font = CreateFontW(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
}

// The contexts go first, since a bitmap or font still selected into one
// cannot be deleted; then only what was created.
void canvas_release_surfaces() {
    delete_dc(s.back_dc);
    delete_dc(s.paddle_dc);
    delete_dc(s.bee_dc_a);
    delete_dc(s.bee_dc_b);
    delete_dc(s.bullet_dc);
    delete_dc(s.comb_dc);
    delete_dc(s.ball_dc);
    delete_dc(s.display_dc);
    delete_object(s.hud_font);
    delete_object(s.back_buffer);
    delete_object(s.bee_image_a);
    delete_object(s.bee_image_b);
    delete_object(s.bullet_image);
    delete_object(s.comb_image);
    delete_object(s.paddle_image);
    delete_object(s.ball_image);
}

// The context's default pen is black too, so the outline vanishes with the fill.
void canvas_clear() {
    SelectObject(s.back_dc, GetStockObject(BLACK_BRUSH));
    Rectangle(s.back_dc, 0, 0, field_width, field_height);
}

void canvas_draw_sprite(SpriteImage image, int x, int y, int w, int h) {
    BitBlt(s.back_dc, x, y, w, h, image_dc(image), 0, 0, SRCPAINT);
}

// The background mode stays opaque: the box behind the text is black and
// covers whatever sprite lies under the numbers.
void canvas_draw_score_line(const char16_t* text) {
    SetTextColor(s.back_dc, score_magenta);
    SetBkColor(s.back_dc, score_background);
    if (s.hud_font) SelectObject(s.back_dc, s.hud_font);
    RECT line{0, 0, field_width, 20};
    DrawTextW(s.back_dc, reinterpret_cast<const wchar_t*>(text), -1, &line, DT_CENTER | DT_NOCLIP);
}

void canvas_present(const PaintInfo& paint) {
    const PaintRect& r = paint.rect;
    BitBlt(static_cast<HDC>(paint.surface), r.left, r.top, r.right - r.left, r.bottom - r.top, s.back_dc,
           r.left, r.top, SRCCOPY);
}

// An internal paint as well as an invalidation: frames keep coming even
// while nothing of the window is visible (minimised), and nothing is erased.
void canvas_request_frame() {
    RedrawWindow(win32_shell.main_window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}
