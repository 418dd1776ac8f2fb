// The score line's font from a glyph file made ahead of time (platform/soft/
// glyph_table.h), for the browser build, which has no FreeType. It lays the
// glyphs out exactly as the FreeType font does, so the line comes out in the
// same pixels; characters beyond the table take no room and draw nothing.

#include <fstream>
#include <iterator>
#include <string>

#include "platform/soft/glyph_table.h"
#include "platform/soft/soft_canvas.h"
#include "platform/soft/soft_font.h"

namespace {

GlyphTable table;
bool font_open = false;
ScoreLineImage line;
std::u16string line_text;
bool line_valid = false;

const TableGlyph* glyph(char16_t c) {
    if (!font_open || c < table.first || c >= table.first + table.glyphs.size()) return nullptr;
    return &table.glyphs[c - table.first];
}

}  // namespace

// The path names the glyph file; a missing or damaged one leaves the line empty.
bool soft_open_font(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    font_open = in.is_open() && decode_glyph_table(bytes, table);
    if (!font_open) error = "no glyph file at " + path;
    line_valid = false;
    return font_open;
}

void soft_close_font() {
    font_open = false;
    line_valid = false;
}

int soft_line_height() { return font_open ? table.ascent + table.descent : 0; }

int soft_text_width(const char16_t* text) {
    int width = 0;
    for (const char16_t* p = text; *p; ++p)
        if (const TableGlyph* g = glyph(*p)) width += g->advance;
    return width;
}

const ScoreLineImage& score_line_image(const char16_t* text) {
    if (line_valid && line_text == text) return line;
    line_text = text;
    line_valid = true;
    line.width = soft_text_width(text);
    line.height = soft_line_height();
    line.pixels.assign(static_cast<std::size_t>(line.width) * line.height, 0);
    int pen = 0;
    for (const char16_t* p = text; *p; ++p) {
        const TableGlyph* g = glyph(*p);
        if (!g) continue;
        const uint8_t* coverage = table.coverage.data() + g->offset;
        for (int y = 0; y < g->rows; ++y) {
            const int ly = table.ascent - g->top + y;
            if (ly < 0 || ly >= line.height) continue;
            for (int x = 0; x < g->width; ++x) {
                const int lx = pen + g->left + x;
                if (lx < 0 || lx >= line.width) continue;
                const uint32_t a = coverage[y * g->width + x];
                uint32_t& px = line.pixels[static_cast<std::size_t>(ly) * line.width + lx];
                // Magenta over the black box, as much as the glyph covers; where
                // two glyphs overlap the stronger one wins, as in the FreeType font.
                if (a > (px >> 16)) px = rgb(a, 0, a);
            }
        }
        pen += g->advance;
    }
    return line;
}
