// waxdrop-media effect FILE: mixes FILE into a silent effect stream exactly
// as the game would (on the hand-driven wave device, so nothing is heard)
// and says what the game would make of it.

#include <cstdio>
#include <string>

#include "platform/null/null_wave.h"
#include "platform/os/utf.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"
#include "tools/media/media_tool.h"

namespace {

const char* meaning(int32_t code) {
    switch (code) {
        case effect_ok: return "as made: two channels of 16-bit PCM at 11025 Hz";
        case effect_not_two_channels:
            return "but it does not have two channels: its data is still taken 4 bytes to a sample, "
                   "so it comes out at the wrong speed and pitch";
        case effect_not_11025:
            return "but it is not at 11025 Hz: its frames are played at 11025 a second all the same, "
                   "so it comes out at the wrong speed and pitch";
        case effect_not_two_channels + effect_not_11025:
            return "but it has neither two channels nor 11025 Hz: its data is taken as if it had, "
                   "so it comes out at the wrong speed and pitch";
        case effect_not_opened: return "does not play: the file could not be opened for reading";
        case effect_no_riff: return "does not play: it is not a RIFF file";
        case effect_no_wave: return "does not play: the RIFF file is not a WAVE";
        case effect_no_format_first: return "does not play: the format chunk is not the first chunk";
        case effect_not_pcm: return "does not play: the samples are not plain PCM";
        case effect_not_16_bits: return "does not play: the samples are not 16 bits";
        case effect_no_data: return "does not play: the file ends before its data chunk";
        default: return "does not play";
    }
}

}  // namespace

int media_effect(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: waxdrop-media effect FILE\n");
        return 2;
    }
    reset_null_wave();
    null_wave.record_blocks = false;
    open_effects();
    const std::u16string path = utf8_to_utf16(argv[0]);
    const int32_t code = play_effect_file(path.c_str());
    const uint32_t samples = effect_samples_mixed;
    close_effects();

    std::printf("result %d\n", static_cast<int>(code));
    std::printf("samples %u\n", static_cast<unsigned>(samples));
    if (effect_playable(code))
        std::printf("plays for %.3f s, %s\n", samples / 11025.0, meaning(code));
    else
        std::printf("%s\n", meaning(code));
    return effect_playable(code) ? 0 : 1;
}
