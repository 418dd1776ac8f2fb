#pragma once
// The score line's glyphs as a file made ahead of time (gen-glyphs), for a
// canvas that has no font renderer at hand: each glyph's coverage and metrics
// exactly as FreeType rendered them for the Linux game. One codec for the
// file, used by its writer and its reader. Any thread.
//
// The file, little-endian throughout: "WXGL"; ascent, descent, the first
// character's code and the glyph count (16 bits each); per glyph its advance,
// left offset, top, width and rows (16 bits each, signed) and the offset of
// its first coverage byte (32 bits); the coverage's length (32 bits) and its
// bytes, rows of width bytes per glyph.

#include <cstdint>
#include <vector>

struct TableGlyph {
    int16_t advance;  // pixels
    int16_t left;     // bitmap offset from the pen
    int16_t top;      // bitmap top, from the baseline upward
    int16_t width, rows;
    uint32_t offset;  // first coverage byte, rows of width bytes
};

struct GlyphTable {
    int ascent = 0, descent = 0;
    char16_t first = 0;  // the code of glyphs[0]
    std::vector<TableGlyph> glyphs;
    std::vector<uint8_t> coverage;
};

std::vector<uint8_t> encode_glyph_table(const GlyphTable& table);
// False when bytes are not a whole table or a glyph reaches past the coverage.
bool decode_glyph_table(const std::vector<uint8_t>& bytes, GlyphTable& table);
