// The bee, seen from the front: a round striped body, a face with two big
// eyes and feelers, grey wings and three pairs of legs. Two wing positions
// make the wing beat of an attacking bee.

#include <cmath>

#include "tools/gen_images/art.h"

namespace {

enum Shade {
    background,
    stripe,        // the black bands, eyes and feelers
    stripe_light,  // their lit edge
    yellow_light,
    yellow,
    yellow_shade,
    yellow_deep,
    wing_light,
    wing,
    wing_edge,
    glint,
    leg,
    leg_shade,
    mouth,
};

const Rgb first_bee[16] = {{0, 0, 0},      {58, 42, 26},    {104, 82, 52},   {255, 246, 160},
                           {255, 212, 40}, {232, 160, 18},  {176, 104, 12},  {232, 238, 246},
                           {186, 192, 206}, {128, 134, 152}, {255, 255, 255}, {150, 92, 42},
                           {104, 60, 26},  {200, 70, 40}};
const Rgb second_bee[16] = {{0, 0, 0},      {58, 42, 26},    {104, 82, 52},   {255, 246, 160},
                            {255, 212, 40}, {232, 160, 18},  {176, 104, 12},  {232, 238, 246},
                            {186, 192, 206}, {128, 134, 152}, {255, 255, 255}, {150, 24, 30},
                            {100, 12, 18},  {200, 70, 40}};

// Pixel centres mirrored about the bee's middle line (x = 16).
double mirrored(double px) { return px < 16 ? px : 32 - px; }

// Where (px, py) lies in an ellipse: below 1 inside.
double ellipse(double px, double py, double cx, double cy, double rx, double ry) {
    const double u = (px - cx) / rx, v = (py - cy) / ry;
    return u * u + v * v;
}

// Light on a round surface at (u, v) of its ellipse, 0 (dark) to 1 (lit).
double roundness_light(double u, double v) {
    const double r2 = u * u + v * v;
    const double z = std::sqrt(r2 < 1 ? 1 - r2 : 0);
    const double d = (-0.45 * u - 0.65 * v + 0.62 * z) / std::sqrt(0.45 * 0.45 + 0.65 * 0.65 + 0.62 * 0.62);
    return d > 0 ? d : 0;
}

Shade yellow_for(double light) {
    return light > 0.88 ? yellow_light : light > 0.6 ? yellow : light > 0.3 ? yellow_shade : yellow_deep;
}

// A wing as a long ellipse from the shoulder to the tip (left wing; the right
// one is its mirror image).
Shade wing_at(double px, double py, double sx, double sy, double tx, double ty, double width) {
    const double cx = (sx + tx) / 2, cy = (sy + ty) / 2;
    const double ax = tx - sx, ay = ty - sy;
    const double length = std::sqrt(ax * ax + ay * ay);
    const double along = ((px - cx) * ax + (py - cy) * ay) / length / (length / 2);
    const double across = ((px - cx) * -ay + (py - cy) * ax) / length / width;
    const double q = along * along + across * across;
    if (q > 1) return background;
    if (q > 0.55) return wing_edge;
    return across < 0 ? wing_light : wing;
}

Shade body_at(double px, double py) {
    const double cx = 16, cy = 10.6, rx = 6.4, ry = 5.4;
    if (ellipse(px, py, cx, cy, rx, ry) > 1) return background;
    const double light = roundness_light((px - cx) / rx, (py - cy) / ry);
    const bool band = (py > 9.5 && py < 11.5) || (py > 13 && py < 14.6);
    if (band) return light > 0.75 ? stripe_light : stripe;
    return yellow_for(light);
}

Shade head_at(double px, double py) {
    const double cx = 16, cy = 5.2, rx = 4.7, ry = 3.6;
    if (ellipse(px, py, cx, cy, rx, ry) > 1) return background;
    const double m = mirrored(px);
    if (ellipse(m, py, 13.2, 4.9, 1.6, 2.3) <= 1) return stripe;  // eyes
    return yellow_for(roundness_light((px - cx) / rx, (py - cy) / ry));
}

Shade wings_at(double px, double py, bool second) {
    const double m = mirrored(px);
    if (second) return wing_at(m, py, 11.5, 7.5, 1.2, 9.8, 2.6);
    return wing_at(m, py, 11.5, 6.5, 3.0, 1.2, 2.6);
}

void put_both(Picture& p, int x, int y, Rgb c) {
    p.set(x, y, c);
    p.set(31 - x, y, c);
}

// Small things set pixel by pixel: feelers, eye glints, mouth and legs.
void draw_details(Picture& p, const Rgb (&palette)[16]) {
    put_both(p, 14, 1, palette[stripe]);
    put_both(p, 13, 0, palette[stripe]);
    put_both(p, 12, 0, palette[stripe_light]);
    p.set(12, 4, palette[glint]);
    p.set(18, 4, palette[glint]);
    p.set(15, 7, palette[mouth]);
    p.set(16, 7, palette[mouth]);
    const int legs[][3] = {{10, 12, leg}, {9, 13, leg}, {8, 14, leg_shade},
                           {11, 14, leg}, {10, 15, leg_shade}, {13, 15, leg_shade}};
    for (const auto& l : legs) put_both(p, l[0], l[1], palette[l[2]]);
}

}  // namespace

const Rgb (&bee_palette(bool second_wings))[16] { return second_wings ? second_bee : first_bee; }

Picture draw_bee(bool second_wings) {
    const Rgb (&palette)[16] = bee_palette(second_wings);
    Picture p(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Shade s = head_at(px, py);
            if (s == background) s = body_at(px, py);
            if (s == background) s = wings_at(px, py, second_wings);
            p.at(x, y) = palette[s];
        }
    draw_details(p, palette);
    return p;
}
