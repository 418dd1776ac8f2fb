// waxdrop-media scores FILE: reads a score file the way the game does at
// start-up and prints the High Scores dialog's three lines.
// waxdrop-media scores --write FILE NAME=SCORE NAME=SCORE NAME=SCORE: writes
// a score file of those three entries, best first, as the game writes one
// (for people and tests that want a table to start from).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/os/utf.h"
#include "scores/score_file.h"
#include "scores/scores.h"
#include "tools/media/media_tool.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: waxdrop-media scores FILE\n"
                         "       waxdrop-media scores --write FILE NAME=SCORE NAME=SCORE NAME=SCORE\n");
    return 2;
}

// NAME=SCORE, the score a decimal number (the last '=' splits, so a name may hold one).
bool parse_entry(const char* arg, ScoreEntry& entry) {
    const char* split = std::strrchr(arg, '=');
    if (!split || !split[1]) return false;
    char* end = nullptr;
    const long long score = std::strtoll(split + 1, &end, 10);
    if (*end || score < INT32_MIN || score > UINT32_MAX) return false;
    const std::u16string name = utf8_to_utf16(std::string(arg, split));
    if (name.size() > 99) return false;
    entry = ScoreEntry{};
    name.copy(entry.name, name.size());
    entry.score = static_cast<int32_t>(static_cast<uint32_t>(score));
    return true;
}

int write_scores(int argc, char** argv) {
    if (argc != 4) return usage();
    ScoreTable table{};
    for (int i = 0; i < 3; ++i)
        if (!parse_entry(argv[1 + i], table.entries[i])) {
            std::fprintf(stderr, "waxdrop-media: '%s' is not NAME=SCORE (a name of at most 99 units, a 32-bit score)\n",
                         argv[1 + i]);
            return 2;
        }
    uint8_t bytes[score_file_capacity];
    const int size = encode_score_file(table, bytes);
    std::FILE* f = std::fopen(argv[0], "wb");
    if (!f || std::fwrite(bytes, 1, static_cast<size_t>(size), f) != static_cast<size_t>(size) || std::fclose(f) != 0) {
        std::fprintf(stderr, "waxdrop-media: cannot write %s\n", argv[0]);
        return 1;
    }
    return 0;
}

}  // namespace

int media_scores(int argc, char** argv) {
    if (argc >= 1 && std::strcmp(argv[0], "--write") == 0) return write_scores(argc - 1, argv + 1);
    if (argc != 1) return usage();
    const std::u16string path = utf8_to_utf16(argv[0]);
    const bool loaded = load_scores_file(path.c_str());
    std::printf("result %s\n", loaded ? "loaded" : "defaults");
    for (const ScoreEntry& entry : score_table.entries) {
        char16_t line[high_score_line_capacity];
        format_high_score_line(entry, line);
        std::printf("%s\n", utf16_to_utf8(line).c_str());
    }
    return loaded ? 0 : 1;
}
