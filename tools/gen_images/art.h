#pragma once
// The drawings: the six sprite images and the icon motif.

#include "tools/gen_images/picture.h"

Picture draw_paddle();                        // 64 x 16
Picture draw_comb();                          // 32 x 16
Picture draw_ball();                          // 24 x 24
Picture draw_bullet();                        // 8 x 16, colours of bullet_palette only
Picture draw_bee(bool second_wings);          // 32 x 16, colours of bee_palette(second_wings)

// The 16 colours of the 4-bit images; entry 0 is the black background.
extern const Rgb bullet_palette[16];
// The first bee has brown legs and the second dark red ones; otherwise the two
// share every colour, so the wing beat does not make the body flicker.
const Rgb (&bee_palette(bool second_wings))[16];

// The icon motif, a honeycomb cell holding a drop of wax, drawn anew for each
// size. bold trades detail for thicker strokes, for the small caption icon.
IconPicture draw_icon(int size, bool bold);
extern const Rgb icon_palette16[16];
