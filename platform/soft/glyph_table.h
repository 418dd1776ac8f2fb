#pragma once
// The score line's glyphs as a table made ahead of time (gen-glyphs), for a
// canvas that has no font renderer at hand: each glyph's coverage and metrics
// exactly as FreeType rendered them for the Linux game.

#include <cstdint>

struct TableGlyph {
    int16_t advance;  // pixels
    int16_t left;     // bitmap offset from the pen
    int16_t top;      // bitmap top, from the baseline upward
    int16_t width, rows;
    uint32_t offset;  // first coverage byte, rows of width bytes
};

struct GlyphTable {
    int ascent, descent;
    char16_t first;  // the code of glyphs[0]
    int count;       // glyphs for first .. first + count - 1
    const TableGlyph* glyphs;
    const uint8_t* coverage;
};

// resources/fonts/score_glyphs.cpp
extern const GlyphTable score_glyph_table;
