// The icon: one honeycomb cell seen from above, its wax wall bevelled by the
// light from the upper left, with a pale drop of wax in the middle. It is
// drawn in unit coordinates and sampled 4 x 4 times per pixel, so each size
// gets its own clean drawing and the 32-bit images get soft edges.

#include <cmath>

#include "tools/gen_images/art.h"

namespace {

const double half_root3 = 0.8660254037844386;

struct Sample {
    bool inside;
    Color color;
};

struct Style {
    double outline;  // width of the dark border, in units of the icon
    double wall;     // where the wall ends and the cell opening begins
    double drop;     // radius of the drop's round part
    double corner;   // radius at which the hexagon's points are rounded off
};

// Distance from the hexagon's edge (positive inside) and the outward normal
// of the nearest side; the cell stands on a point, like a honeycomb's cells.
double hex_depth(double x, double y, double radius, double& nx, double& ny) {
    const double ax = x < 0 ? -x : x, ay = y < 0 ? -y : y;
    const double side = radius * half_root3 - ax;
    const double slant = radius * half_root3 - (ax * 0.5 + ay * half_root3);
    if (side < slant) {
        nx = x < 0 ? -1 : 1;
        ny = 0;
        return side;
    }
    nx = x < 0 ? -0.5 : 0.5;
    ny = y < 0 ? -half_root3 : half_root3;
    return slant;
}

// The drop: a circle drawn out into a point at the top, the sides running
// straight from the point onto the circle. Returns how far (x, y) lies inside
// its outline (negative outside) and, through light, how much light falls
// on it.
double drop_depth(double x, double y, double r, double& light) {
    const double cy = 0.11, reach = 2.2 * r;  // circle centre, and the point's distance above it
    const double along = y - (cy - reach), lateral = x < 0 ? -x : x;
    const double sine = r / reach, cosine = std::sqrt(1 - sine * sine);
    const double dx = x, dy = y - cy;
    double depth = r - std::sqrt(dx * dx + dy * dy);
    if (along >= 0 && along <= reach * cosine * cosine) {
        const double side = along * sine - lateral * cosine;
        if (side > depth) depth = side;
    }
    const double hx = x + 0.35 * r, hy = y - cy + 0.3 * r;
    light = clamp01(1.15 - std::sqrt(hx * hx + hy * hy) / (1.3 * r));
    return depth;
}

Sample cell_at(double x, double y, const Style& style) {
    double nx = 0, ny = 0;
    double depth = hex_depth(x, y, 0.5, nx, ny);
    // Rounded corners keep the points from ending in single stray pixels.
    const double corner = style.corner - std::sqrt(x * x + y * y);
    if (corner < depth) depth = corner;
    if (depth < 0) return {false, {}};
    if (depth < style.outline) return {true, {96, 46, 6}};
    double light = 0;
    const double in_drop = drop_depth(x, y, style.drop, light);
    if (in_drop >= 0) {
        if (in_drop < style.outline * 0.7) return {true, {128, 62, 8}};
        if (light > 0.9) return {true, {255, 255, 250}};
        return {true, mix(Color{228, 168, 70}, Color{255, 244, 185}, light * 1.4)};
    }
    if (depth < style.wall) {
        const double facing = -0.6 * nx - 0.8 * ny;  // toward the light: lit
        return {true, mix(Color{196, 112, 12}, Color{255, 214, 92}, 0.5 + 0.5 * facing)};
    }
    if (depth < style.wall + style.outline * 0.5) return {true, {150, 78, 8}};
    // Inside the cell the upper wall casts its shadow on the honey.
    return {true, mix(Color{170, 86, 6}, Color{246, 160, 28}, (y + 0.25) * 1.6)};
}

}  // namespace

const Rgb icon_palette16[16] = {{0, 0, 0},       {96, 46, 6},     {150, 80, 10},   {196, 112, 12},
                                {226, 160, 50},  {255, 214, 92},  {170, 86, 6},    {210, 124, 18},
                                {246, 160, 28},  {225, 160, 60},  {245, 210, 130}, {255, 244, 185},
                                {255, 255, 250}, {236, 186, 70},  {128, 62, 8},    {255, 190, 60}};

IconPicture draw_icon(int size, bool bold) {
    const Style style = bold ? Style{0.1, 0.25, 0.2, 0.462} : Style{0.065, 0.19, 0.17, 0.475};
    IconPicture icon(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int hits = 0;
            Color sum;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double ux = (x + (sx + 0.5) / 4) / size - 0.5;
                    const double uy = (y + (sy + 0.5) / 4) / size - 0.5;
                    const Sample s = cell_at(ux, uy, style);
                    if (!s.inside) continue;
                    ++hits;
                    sum = add(sum, s.color);
                }
            if (hits == 0) continue;
            const Rgb c = to_rgb(scale(sum, 1.0 / hits));
            icon.at(x, y) = {c.r, c.g, c.b, static_cast<uint8_t>((hits * 255 + 8) / 16)};
        }
    return icon;
}
