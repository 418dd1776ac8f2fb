// Any bytes handed to the bitmap reader are either refused with a reason or
// decoded into exactly width x height pixels.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/soft/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Image image;
    std::string error;
    const bool ok = decode_bmp(data, size, image, error);
    if (ok != error.empty() && ok) std::abort();
    if (ok && image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    if (!ok && !image.pixels.empty()) std::abort();
    return 0;
}
