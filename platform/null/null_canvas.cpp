#include "platform/null/null_canvas.h"

NullCanvas null_canvas;

void canvas_clear() {
    ++null_canvas.clears;
    null_canvas.blits.clear();
}
void canvas_draw_sprite(SpriteImage image, int x, int y, int w, int h) {
    null_canvas.blits.push_back({image, x, y, w, h});
}
void canvas_draw_score_line(const char16_t* text) { null_canvas.score_line = text; }
void canvas_present(const PaintInfo& paint) {
    ++null_canvas.presents;
    null_canvas.last_present = paint.rect;
}
void canvas_request_frame() { ++null_canvas.frame_requests; }
