// The music's costs: reading the song at start-up, and one timer call when
// nothing is due, which is what nearly every 10 ms call does.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "music/sequencer.h"
#include "music/song.h"

namespace {

std::u16string to_u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void load(benchmark::State& state, const std::u16string& path) {
    for (auto _ : state) {
        music_event_count = 0;
        benchmark::DoNotOptimize(load_song_file(path.c_str()));
    }
    state.counters["records"] = music_event_count;
}

void BM_LoadShippedSong(benchmark::State& state) {
    load(state, to_u16(std::string(WAXDROP_SOURCE_DIR) + "/media/song.mid"));
}
BENCHMARK(BM_LoadShippedSong)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// The largest song the table takes: 4096 notes in one format-0 track.
void BM_LoadFullTable(benchmark::State& state) {
    std::vector<uint8_t> track;
    for (int i = 0; i < 4096; ++i) track.insert(track.end(), {0x05, 0x90, uint8_t(i & 0x7F), 0x40});
    const auto n = static_cast<uint32_t>(track.size());
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                              'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
    file.insert(file.end(), track.begin(), track.end());
    const std::string path = (std::filesystem::temp_directory_path() / "waxdrop-bench-4096.mid").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    load(state, to_u16(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFullTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_MusicTickNothingDue(benchmark::State& state) {
    music_event_count = 0;
    add_music_event(2000000000, 0x90, 0x3C, 0x40);
    music_position = 0;
    music_clock = 0;
    music_running = true;
    for (auto _ : state) {
        music_tick(1);
        // Far from the record's time, so it never comes due.
        if (music_clock > 1000000000) music_clock = 0;
    }
    music_running = false;
    music_event_count = 0;
}
BENCHMARK(BM_MusicTickNothingDue)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
