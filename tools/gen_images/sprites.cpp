// The sprite images. Every image is lit from the upper left, like the rest
// of the field, and every pixel is either the exact black background or a
// colour meant to be seen: the images are drawn with OR, so a dim fringe
// would tint whatever the sprite passes over.

#include <cmath>

#include "tools/gen_images/art.h"

namespace {

struct Vec {
    double x, y, z;
};

Vec normalized(Vec v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

double power(double v, int n) {
    double result = 1;
    for (int i = 0; i < n; ++i) result *= v;
    return result;
}

// Screen axes: x right, y down, z toward the player.
const Vec light = normalized({-0.45, -0.65, 0.62});
const Vec halfway = normalized({light.x, light.y, light.z + 1});

struct Lit {
    double diffuse;
    double shine;
};

Lit lit(Vec normal, int shininess) {
    const double d = dot(normal, light);
    const double s = dot(normal, halfway);
    return {d > 0 ? d : 0, s > 0 ? power(s, shininess) : 0};
}

// The outer ring of a shape: drawn pixels with an undrawn 4-neighbour (the
// image border counts as undrawn).
bool on_outline(const Picture& p, int x, int y) {
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int i = 0; i < 4; ++i) {
        const int nx = x + dx[i], ny = y + dy[i];
        if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height || p.at(nx, ny).is_black()) return true;
    }
    return false;
}

// Darkens the outer ring a little so the shape reads against black.
void deepen_outline(Picture& p, double k) {
    Picture before = p;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (!before.at(x, y).is_black() && on_outline(before, x, y))
                p.at(x, y) = to_rgb(scale(to_color(before.at(x, y)), k), 48);
}

}  // namespace

// A half dome, flat side down: bright blue on top, turning violet toward the
// two lower corners, with a soft highlight up and to the left.
Picture draw_paddle() {
    Picture p(64, 16);
    const Color blue{70, 150, 255}, violet{150, 60, 225};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const double u = (x + 0.5 - 32) / 31.5, v = (16 - (y + 0.5)) / 16;
            const double r2 = u * u + v * v;
            if (r2 > 1) continue;
            const Vec normal{u, -v, std::sqrt(1 - r2)};
            const Lit l = lit(normal, 48);
            const double corner = clamp01((u < 0 ? -u : u) * 1.25 - 0.2) * clamp01(1.15 - v * 1.3);
            Color c = scale(mix(blue, violet, corner), 0.5 + 0.6 * l.diffuse);
            c = add(c, scale(Color{255, 255, 255}, 0.6 * l.shine));
            p.at(x, y) = to_rgb(c, 60);
        }
    deepen_outline(p, 0.72);
    return p;
}

// A capsule with an orange rim; inside, purple at the top running to orange
// at the bottom, with a glint along the upper edge.
Picture draw_comb() {
    Picture p(32, 16);
    const Color purple{120, 40, 170}, orange{245, 135, 30};
    const Color rim_light{255, 200, 90}, rim_dark{205, 95, 15};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double cx = px < 8 ? 8 : (px > 24 ? 24 : px);
            const double dx = px - cx, dy = py - 8;
            const double depth = 8 - std::sqrt(dx * dx + dy * dy);  // pixels from the edge
            if (depth < 0) continue;
            Color c;
            if (depth < 1.5) {
                c = mix(rim_light, rim_dark, (py - 1) / 14);
            } else {
                c = mix(purple, orange, (py - 2.5) / 11);
                const double glint = clamp01(1 - (py - 3.2) * (py - 3.2) / 1.2) * clamp01((17 - px) / 6);
                c = mix(c, Color{250, 215, 255}, 0.7 * glint * clamp01((px - 4.5) / 2));
            }
            p.at(x, y) = to_rgb(c, 60);
        }
    return p;
}

// A magenta sphere: lit upper left, a white highlight, a faint bounce of
// light along the lower right edge.
Picture draw_ball() {
    Picture p(24, 24);
    const Color magenta{235, 35, 215};
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const double u = (x + 0.5 - 12) / 12, v = (y + 0.5 - 12) / 12;
            const double r2 = u * u + v * v;
            if (r2 > 1) continue;
            const Vec normal{u, v, std::sqrt(1 - r2)};
            const Lit l = lit(normal, 24);
            const double bounce = clamp01((u + v) * 0.7) * clamp01((r2 - 0.6) * 2.5);
            Color c = scale(magenta, 0.3 + 0.78 * l.diffuse + 0.25 * bounce);
            c = add(c, scale(Color{255, 255, 255}, 0.9 * l.shine));
            p.at(x, y) = to_rgb(c, 70);
        }
    return p;
}

const Rgb bullet_palette[16] = {{0, 0, 0},       {255, 255, 255}, {226, 228, 236}, {190, 192, 204},
                                {150, 152, 166}, {112, 114, 130}, {80, 82, 98}};

// An upright grey capsule, white where the light strikes it; its shades are
// picked from the 16-colour palette rather than mixed.
Picture draw_bullet() {
    Picture p(8, 16);
    const double radius = 3.6;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double cy = py < radius ? radius : (py > 16 - radius ? 16 - radius : py);
            const double dx = (px - 4) / radius, dy = (py - cy) / radius;
            const double r2 = dx * dx + dy * dy;
            if (r2 > 1) continue;
            const Lit l = lit({dx, dy, std::sqrt(1 - r2)}, 12);
            const double level = 0.25 + 0.7 * l.diffuse + 0.6 * l.shine;
            int entry = level > 0.95 ? 1 : level > 0.8 ? 2 : level > 0.62 ? 3 : level > 0.45 ? 4 : level > 0.3 ? 5 : 6;
            p.at(x, y) = bullet_palette[entry];
        }
    return p;
}
