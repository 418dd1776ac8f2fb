// gen-images OUTDIR: writes the game's sprite bitmaps to OUTDIR/bitmaps and
// its icons to OUTDIR/icons. The output is the same on every run, so the
// committed copies under resources/ can be checked against it.

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "tools/gen_images/art.h"
#include "tools/gen_images/image_files.h"

namespace {

bool report(bool ok, const std::string& path) {
    if (!ok) std::fprintf(stderr, "gen-images: cannot write %s\n", path.c_str());
    return ok;
}

bool write_bitmaps(const std::string& dir) {
    bool ok = true;
    ok &= report(write_bmp24(dir + "/paddle.bmp", draw_paddle()), dir + "/paddle.bmp");
    ok &= report(write_bmp24(dir + "/comb.bmp", draw_comb()), dir + "/comb.bmp");
    ok &= report(write_bmp24(dir + "/bee_a.bmp", draw_bee(false)), dir + "/bee_a.bmp");
    ok &= report(write_bmp4(dir + "/bee_b.bmp", draw_bee(true), bee_palette(true)), dir + "/bee_b.bmp");
    ok &= report(write_bmp4(dir + "/bullet.bmp", draw_bullet(), bullet_palette), dir + "/bullet.bmp");
    ok &= report(write_bmp24(dir + "/ball.bmp", draw_ball()), dir + "/ball.bmp");
    return ok;
}

// Each icon file holds 32 x 32 and 16 x 16 images at 4, 8 and 32 bits, so
// every display finds a fitting one.
bool write_icon(const std::string& path, const IconPicture& large, const IconPicture& small) {
    std::vector<IconEntry> entries = {{&large, 32}, {&small, 32}, {&large, 8},
                                      {&small, 8},  {&large, 4},  {&small, 4}};
    return report(write_ico(path, entries, icon_palette16), path);
}

bool write_icons(const std::string& dir) {
    const IconPicture detailed = draw_icon(32, false);
    const IconPicture bold_large = draw_icon(32, true);
    const IconPicture bold_small = draw_icon(16, true);
    bool ok = write_icon(dir + "/waxdrop.ico", detailed, bold_small);
    ok &= write_icon(dir + "/waxdrop_small.ico", bold_large, bold_small);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen-images OUTDIR\n");
        return 2;
    }
    const std::string out = argv[1];
    for (const std::string& dir : {out, out + "/bitmaps", out + "/icons"}) mkdir(dir.c_str(), 0777);
    bool ok = write_bitmaps(out + "/bitmaps");
    ok &= write_icons(out + "/icons");
    return ok ? 0 : 1;
}
