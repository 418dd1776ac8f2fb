// The effect stream's costs: one play_effect as a frame pays it (the file
// opened, parsed, read and mixed), and one refill as the device's thread
// pays it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/null/null_platform.h"
#include "platform/null/null_wave.h"
#include "sfx/effect_stream.h"
#include "sfx/play_effect.h"

namespace {

std::u16string ascii16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// A running stream over the hand-driven device, with the media folder of
// the executable at dir.
void open_stream_in(const std::string& dir) {
    reset_null_platform();
    reset_null_wave();
    null_wave.record_blocks = false;
    null_files.module_name = ascii16(dir + "/waxdrop");
    open_effects();
}

void play(benchmark::State& state, const char16_t* name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(play_effect(name));
        // Let the ring move on now and then so it does not sit saturated.
        if ((state.iterations() & 15) == 0) effects_block_done(nullptr);
    }
    if (!effect_playable(play_effect(name))) state.SkipWithError("the effect does not play");
    state.counters["samples"] = effect_samples_mixed;
    close_effects();
}

void BM_play_shipped(benchmark::State& state, const char16_t* name) {
    open_stream_in(WAXDROP_SOURCE_DIR);
    play(state, name);
}
BENCHMARK_CAPTURE(BM_play_shipped, doing, u"doing.wav")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_play_shipped, hit, u"hit.wav")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_play_shipped, brick, u"brick.wav")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_play_shipped, buzz, u"buzz.wav")->Unit(benchmark::kMicrosecond);

// Five seconds of a quiet ramp, two channels at 11025 Hz.
bool write_long_effect(const std::string& path) {
    const uint32_t frames = 5 * 11025, data = frames * 4;
    std::vector<uint8_t> b;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put(36 + data, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4), put(1, 2), put(2, 2), put(11025, 4), put(44100, 4), put(4, 2), put(16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put(data, 4);
    for (uint32_t i = 0; i < frames; ++i) put((i % 200) * 0x00010001u, 4);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

void BM_play_five_seconds(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "waxdrop-bench-sfx";
    std::filesystem::create_directories(dir / "media");
    if (!write_long_effect((dir / "media" / "long.wav").string())) {
        state.SkipWithError("cannot write the long effect");
        return;
    }
    open_stream_in(dir.string());
    play(state, u"long.wav");
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_play_five_seconds)->Unit(benchmark::kMicrosecond);

void BM_refill(benchmark::State& state) {
    open_stream_in(WAXDROP_SOURCE_DIR);
    for (auto _ : state) effects_block_done(nullptr);
    close_effects();
}
BENCHMARK(BM_refill)->Unit(benchmark::kMicrosecond);

}  // namespace
