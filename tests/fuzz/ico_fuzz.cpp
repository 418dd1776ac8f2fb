// Any bytes handed to the icon reader are either refused with a reason or
// decoded into exactly the square asked for.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/soft/ico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int edge : {32, 16}) {
        Image image;
        std::string error;
        const bool ok = decode_ico(data, size, edge, image, error);
        if (ok && (image.width != edge || image.height != edge)) std::abort();
        if (ok && image.pixels.size() != static_cast<size_t>(edge) * edge) std::abort();
        if (!ok && (error.empty() || !image.pixels.empty())) std::abort();
    }
    return 0;
}
