// TEMPORARY, test-only: stand-ins for the effect stream and the effect mixer
// until the sfx branch is merged. Deleted right after that merge.

#include <atomic>
#include <string>
#include <vector>

#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

std::atomic<bool> effects_open{false};
std::vector<std::u16string> temp_played;

int32_t play_effect(const char16_t* name) {
    temp_played.push_back(name);
    return 0;
}
