// The replay on the software canvas: real pixels, PNG snapshots.

#include <filesystem>

#include "platform/soft/png.h"
#include "platform/soft/soft_canvas.h"
#include "tools/replay/replay_canvas.h"
#include "tools/replay/replay_script.h"

bool replay_open_canvas(const std::string& images, const std::string& font, std::string& error) {
    return soft_load_images(images, error) && soft_open_font(font, error);
}

bool snapshot(const Replay& r, const std::string& file) {
    const std::filesystem::path path = std::filesystem::path(r.out_dir) / file;
    return write_png(path.string(), soft_window_buffer(), field_width, field_height);
}
