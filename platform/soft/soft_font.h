#pragma once
// The score line's font inside the software canvas: FreeType glyphs, rendered
// once and kept, and the last line drawn kept whole, since it changes only
// when a counter does.

#include <cstdint>
#include <vector>

// A rendered line: magenta glyphs on opaque black, width x height pixels.
struct ScoreLineImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The line for text, rendered now or taken from the cache.
const ScoreLineImage& score_line_image(const char16_t* text);
