#pragma once
// The score line's font inside the software canvas: FreeType glyphs, rendered
// once and kept, and the last line drawn kept whole, since it changes only
// when a counter does. Window thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft/image.h"

// The score line's colour where a glyph covers its pixel fully.
constexpr uint32_t hud_magenta = rgb(255, 0, 255);

// The file of the face fontconfig picks for name ("sans" is the system's
// default sans-serif face); empty when there is none.
std::string soft_font_file(const char* name);
// Open the score line's font: the file at path, or, when path is empty, the
// system's default sans-serif face. The face is set to a 20-pixel cell height.
bool soft_open_font(const std::string& path, std::string& error);
void soft_close_font();
// Width in pixels of text in the score line's font, and the font's line height.
int soft_text_width(const char16_t* text);
int soft_line_height();

// A rendered line: magenta glyphs on opaque black, width x height pixels.
struct ScoreLineImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The line for text, rendered now or taken from the cache.
const ScoreLineImage& score_line_image(const char16_t* text);
