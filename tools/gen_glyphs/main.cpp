// gen-glyphs OUTDIR: renders the printable ASCII glyphs with the face and
// size the Linux game draws its score line with, and writes them as a glyph
// file (platform/soft/glyph_table.h) to OUTDIR/fonts/score_glyphs.bin. The
// browser build draws the score line from that file, so both show the same
// pixels. The face is the one the software canvas's font finds (fontconfig's
// "sans"), sized as it sizes it (FreeType's cell height of 20 pixels); the
// end-to-end flows compare the browser's first frame with the Linux snapshot
// pixel for pixel, and a drift test compares the committed file with this
// program's output.

#include <ft2build.h>
#include FT_FREETYPE_H
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/soft/glyph_table.h"
#include "platform/soft/soft_font.h"

namespace {

constexpr int cell_height = 20;
constexpr char32_t first = 32, last = 126;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen-glyphs OUTDIR\n");
        return 2;
    }
    const std::string face_file = soft_font_file("sans");
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, cell_height * 64, 0, 0};
    if (face_file.empty() || FT_Init_FreeType(&library) != 0 || FT_New_Face(library, face_file.c_str(), 0, &face) != 0 ||
        FT_Request_Size(face, &request) != 0) {
        std::fprintf(stderr, "gen-glyphs: cannot use the sans-serif face '%s'\n", face_file.c_str());
        return 1;
    }
    GlyphTable table;
    table.ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    table.descent = static_cast<int>((-face->size->metrics.descender + 32) >> 6);
    table.first = static_cast<char16_t>(first);
    for (char32_t c = first; c <= last; ++c) {
        TableGlyph g{};
        g.offset = static_cast<uint32_t>(table.coverage.size());
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) == 0) {
            const FT_GlyphSlot slot = face->glyph;
            g.advance = static_cast<int16_t>((slot->advance.x + 32) >> 6);
            g.left = static_cast<int16_t>(slot->bitmap_left);
            g.top = static_cast<int16_t>(slot->bitmap_top);
            g.width = static_cast<int16_t>(slot->bitmap.width);
            g.rows = static_cast<int16_t>(slot->bitmap.rows);
            for (int y = 0; y < g.rows; ++y)
                for (int x = 0; x < g.width; ++x)
                    table.coverage.push_back(slot->bitmap.buffer[y * slot->bitmap.pitch + x]);
        }
        table.glyphs.push_back(g);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    const std::string dir = std::string(argv[1]) + "/fonts";
    mkdir(argv[1], 0755);
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/score_glyphs.bin";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "gen-glyphs: cannot write %s\n", path.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes = encode_glyph_table(table);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
