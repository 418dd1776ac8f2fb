#pragma once
// A small RGB(A) raster for drawing the game's images, and the colour helpers
// the drawings share. Colours are doubles 0..255 while they are mixed and are
// rounded once, when they are stored.

#include <cstdint>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool is_black() const { return r == 0 && g == 0 && b == 0; }
};

// A colour while it is being mixed.
struct Color {
    double r = 0, g = 0, b = 0;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top row first; black is the transparent background
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h)) {}
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    void set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) at(x, y) = c;
    }
};

// An icon image: straight (not premultiplied) colour and an alpha 0..255.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};
struct IconPicture {
    int size = 0;
    std::vector<Rgba> pixels;  // top row first
    explicit IconPicture(int s) : size(s), pixels(static_cast<std::size_t>(s * s)) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y * size + x)]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

double clamp01(double v);
Color mix(Color a, Color b, double t);
Color scale(Color c, double k);
Color add(Color a, Color b);
// Rounds to bytes. A drawn pixel must never come out as the transparent
// black, so its brightest channel is lifted to at least min_level.
Rgb to_rgb(Color c, int min_level = 24);
Color to_color(Rgb c);
// The palette entry nearest to c (squared distance), skipping entry 0, which
// is kept for the background.
int nearest_entry(const Rgb* palette, int count, Rgb c);
