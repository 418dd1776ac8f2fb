// FreeType behind the software canvas's score line. The face is the one
// fontconfig picks for "sans" unless a file is named, at a 20-pixel cell
// height (ascent plus descent), as the game asks its font to be.

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "platform/soft/soft_font.h"

namespace {

constexpr int cell_height = 20;
// Wider than any score line can get, so the cached line never grows in play.
constexpr int line_capacity_width = 2048;

struct Glyph {
    bool ready = false;
    int advance = 0;   // pixels
    int left = 0;      // bitmap offset from the pen
    int top = 0;       // bitmap top, from the baseline upward
    int width = 0, rows = 0;
    std::vector<uint8_t> coverage;
};

FT_Library library = nullptr;
FT_Face face = nullptr;
int ascent = 0, descent = 0;
Glyph ascii[128];
Glyph fallback;  // for anything beyond ASCII, rendered each time
ScoreLineImage line;
std::u16string line_text;
bool line_valid = false;

bool render_glyph(char32_t code, Glyph& g) {
    g = Glyph{};
    if (!face || FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    g.ready = true;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x)
            g.coverage[static_cast<std::size_t>(y) * g.width + x] =
                slot->bitmap.buffer[y * slot->bitmap.pitch + x];
    return true;
}

const Glyph& glyph(char16_t c) {
    if (c < 128) {
        if (!ascii[c].ready) render_glyph(c, ascii[c]);
        return ascii[c];
    }
    render_glyph(c, fallback);
    return fallback;
}

}  // namespace

std::string soft_font_file(const char* name) {
    std::string file;
    if (!FcInit()) return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    // Only the file's name is kept; fontconfig's caches can go.
    FcFini();
    return file;
}

bool soft_open_font(const std::string& path, std::string& error) {
    soft_close_font();
    const std::string file = path.empty() ? soft_font_file("sans") : path;
    if (file.empty()) {
        error = "fontconfig found no sans-serif face";
        return false;
    }
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType did not start";
        return false;
    }
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, cell_height * 64, 0, 0};
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0 || FT_Request_Size(face, &request) != 0) {
        error = "cannot use the font " + file;
        soft_close_font();
        return false;
    }
    ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    descent = static_cast<int>((-face->size->metrics.descender + 32) >> 6);
    for (char16_t c = 32; c < 127; ++c) render_glyph(c, ascii[c]);
    line.pixels.reserve(static_cast<std::size_t>(line_capacity_width) * (ascent + descent));
    line_text.reserve(128);
    return true;
}

void soft_close_font() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
    for (Glyph& g : ascii) g = Glyph{};
    ascent = descent = 0;
    line_valid = false;
}

int soft_line_height() { return ascent + descent; }

int soft_text_width(const char16_t* text) {
    int width = 0;
    for (const char16_t* p = text; *p; ++p) width += glyph(*p).advance;
    return width;
}

const ScoreLineImage& score_line_image(const char16_t* text) {
    if (line_valid && line_text == text) return line;
    line_text = text;
    line_valid = true;
    line.width = face ? soft_text_width(text) : 0;
    line.height = face ? soft_line_height() : 0;
    line.pixels.assign(static_cast<std::size_t>(line.width) * line.height, 0);
    int pen = 0;
    for (const char16_t* p = text; *p; ++p) {
        const Glyph& g = glyph(*p);
        for (int y = 0; y < g.rows; ++y) {
            const int ly = ascent - g.top + y;
            if (ly < 0 || ly >= line.height) continue;
            for (int x = 0; x < g.width; ++x) {
                const int lx = pen + g.left + x;
                if (lx < 0 || lx >= line.width) continue;
                const uint32_t a = g.coverage[static_cast<std::size_t>(y) * g.width + x];
                uint32_t& px = line.pixels[static_cast<std::size_t>(ly) * line.width + lx];
                // Magenta laid over the black box, as much as the glyph covers.
                if (a > (px >> 16)) px = rgb(a, 0, a);
            }
        }
        pen += g.advance;
    }
    return line;
}
