#include "tools/gen_images/picture.h"

namespace {

int round_channel(double v) {
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return static_cast<int>(v + 0.5);
}

}  // namespace

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

Color mix(Color a, Color b, double t) {
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scale(Color c, double k) { return {c.r * k, c.g * k, c.b * k}; }

Color add(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

Rgb to_rgb(Color c, int min_level) {
    int r = round_channel(c.r), g = round_channel(c.g), b = round_channel(c.b);
    int top = r > g ? (r > b ? r : b) : (g > b ? g : b);
    if (top < min_level) {
        // Lift the dimmest shade evenly, keeping its hue.
        if (top == 0) return {static_cast<uint8_t>(min_level), static_cast<uint8_t>(min_level),
                              static_cast<uint8_t>(min_level)};
        r = r * min_level / top;
        g = g * min_level / top;
        b = b * min_level / top;
    }
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

Color to_color(Rgb c) { return {double(c.r), double(c.g), double(c.b)}; }

int nearest_entry(const Rgb* palette, int count, Rgb c) {
    int best = 1;
    long best_distance = -1;
    for (int i = 1; i < count; ++i) {
        long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        long d = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    return best;
}
