// gen-glyphs OUTDIR: renders the printable ASCII glyphs with the face and
// size the Linux game draws its score line with, and writes them as a C++
// table to OUTDIR/fonts/score_glyphs.cpp. The browser build draws the score
// line from that table, so both show the same pixels. The face is looked up
// and sized here exactly as platform/soft/soft_font.cpp does it (fontconfig's
// "sans", FreeType's cell height of 20 pixels); the page check compares the
// browser's first frame with the Linux snapshot pixel for pixel, and a drift
// test compares the committed table with this program's output.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int cell_height = 20;
constexpr char32_t first = 32, last = 126;

std::string default_sans_file() {
    std::string file;
    if (!FcInit()) return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) file = reinterpret_cast<char*>(name);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

struct Rendered {
    int advance = 0, left = 0, top = 0, width = 0, rows = 0;
    unsigned offset = 0;
};

std::string base_name(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void write_table(std::FILE* out, const std::string& face_file, int ascent, int descent,
                 const std::vector<Rendered>& glyphs, const std::vector<unsigned char>& coverage) {
    std::fprintf(out,
                 "// The score line's glyphs, printable ASCII, as FreeType renders %s at a\n"
                 "// 20-pixel cell height. Written by gen-glyphs; do not edit.\n\n"
                 "#include \"platform/soft/glyph_table.h\"\n\nnamespace {\n\n"
                 "const uint8_t coverage[] = {",
                 base_name(face_file).c_str());
    for (size_t i = 0; i < coverage.size(); ++i)
        std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n    " : " ", coverage[i]);
    std::fprintf(out, "\n};\n\nconst TableGlyph glyphs[] = {\n");
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Rendered& g = glyphs[i];
        std::fprintf(out, "    {%d, %d, %d, %d, %d, %u},  // '%c'\n", g.advance, g.left, g.top, g.width, g.rows,
                     g.offset, static_cast<char>(first + i));
    }
    std::fprintf(out,
                 "};\n\n}  // namespace\n\n"
                 "extern const GlyphTable score_glyph_table = {%d, %d, u' ', %d, glyphs, coverage};\n",
                 ascent, descent, static_cast<int>(glyphs.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen-glyphs OUTDIR\n");
        return 2;
    }
    const std::string face_file = default_sans_file();
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, cell_height * 64, 0, 0};
    if (face_file.empty() || FT_Init_FreeType(&library) != 0 || FT_New_Face(library, face_file.c_str(), 0, &face) != 0 ||
        FT_Request_Size(face, &request) != 0) {
        std::fprintf(stderr, "gen-glyphs: cannot use the sans-serif face '%s'\n", face_file.c_str());
        return 1;
    }
    const int ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    const int descent = static_cast<int>((-face->size->metrics.descender + 32) >> 6);
    std::vector<Rendered> glyphs;
    std::vector<unsigned char> coverage;
    for (char32_t c = first; c <= last; ++c) {
        Rendered g;
        g.offset = static_cast<unsigned>(coverage.size());
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) == 0) {
            const FT_GlyphSlot slot = face->glyph;
            g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
            g.left = slot->bitmap_left;
            g.top = slot->bitmap_top;
            g.width = static_cast<int>(slot->bitmap.width);
            g.rows = static_cast<int>(slot->bitmap.rows);
            for (int y = 0; y < g.rows; ++y)
                for (int x = 0; x < g.width; ++x) coverage.push_back(slot->bitmap.buffer[y * slot->bitmap.pitch + x]);
        }
        glyphs.push_back(g);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    const std::string dir = std::string(argv[1]) + "/fonts";
    mkdir(argv[1], 0755);
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/score_glyphs.cpp";
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out) {
        std::fprintf(stderr, "gen-glyphs: cannot write %s\n", path.c_str());
        return 1;
    }
    write_table(out, face_file, ascent, descent, glyphs, coverage);
    return std::fclose(out) == 0 ? 0 : 1;
}
