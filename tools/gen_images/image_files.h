#pragma once
// Writing the pictures as Windows BMP and ICO files, the formats the game's
// resource script takes. All numbers little-endian, written field by field.

#include <string>
#include <vector>

#include "tools/gen_images/picture.h"

// A 24-bit BMP (BITMAPINFOHEADER, BI_RGB, bottom-up rows padded to 4 bytes).
bool write_bmp24(const std::string& path, const Picture& picture);
// A 4-bit BMP with the given 16-entry palette; every pixel of the picture
// must be one of the palette's colours (false otherwise), so a drawing meant
// for 16 colours cannot slip a stray shade in.
bool write_bmp4(const std::string& path, const Picture& picture, const Rgb (&palette)[16]);

// One image of an icon file at 4, 8 or 32 bits per pixel.
struct IconEntry {
    const IconPicture* picture;
    int bits;
};
// An ICO file. 4-bit images take the nearest colours of palette16; 8-bit
// images get a palette of their own colours; 32-bit images keep their alpha.
// Every image carries an AND mask (1 where alpha is below one half).
bool write_ico(const std::string& path, const std::vector<IconEntry>& entries,
               const Rgb (&palette16)[16]);
