// The score file codec: a save encodes the table once, a start-up decodes it
// once; this keeps both cheap enough never to matter, even for a worst-case
// table where every byte is 0x0A.

#include <benchmark/benchmark.h>

#include <cstring>

#include "scores/score_file.h"

namespace {

ScoreTable all_line_feeds() {
    ScoreTable t;
    std::memset(&t, 0x0A, sizeof t);
    return t;
}

void BM_EncodeScoreFile(benchmark::State& state) {
    const ScoreTable table = all_line_feeds();
    uint8_t bytes[score_file_capacity];
    for (auto _ : state) {
        benchmark::DoNotOptimize(encode_score_file(table, bytes));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EncodeScoreFile);

void BM_DecodeScoreFile(benchmark::State& state) {
    const ScoreTable source = all_line_feeds();
    uint8_t bytes[score_file_capacity];
    const int length = encode_score_file(source, bytes);
    ScoreTable table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decode_score_file(bytes, static_cast<size_t>(length), table));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeScoreFile);

}  // namespace
