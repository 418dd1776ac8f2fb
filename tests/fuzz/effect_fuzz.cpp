// Any bytes read as an effect file give one of the result codes, mix at most
// a ring sample per 4 bytes of the file, and mix nothing when they do not
// play; the reads never leave the 4096-byte buffer (AddressSanitizer).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "platform/null/null_wave.h"
#include "platform/os/utf.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/waxdrop-fuzz-effect-" + std::to_string(::getpid()) + ".wav";
    static const std::u16string path16 = utf8_to_utf16(path);
    if (!effects_open) {
        null_wave.record_blocks = false;
        open_effects();
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const int32_t code = play_effect_file(path16.c_str());
    const bool known = (code >= 0 && code <= 4) || (code >= 10 && code <= 15);
    if (!known || code == 4) std::abort();
    if (!effect_playable(code) && effect_samples_mixed != 0) std::abort();
    if (effect_samples_mixed > size / 4) std::abort();
    effects_block_done(nullptr);  // and the ring moves on
    return 0;
}
