// Any bytes read as a score file either load three records or give the
// defaults, and a loaded table written back and read again is the same table.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "scores/score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScoreTable table{};
    const bool loaded = decode_score_file(data, size, table);
    if (!loaded) {
        for (const ScoreEntry& e : table.entries)
            if (e.score != 0 || std::memcmp(e.name, u"open", 5 * sizeof(char16_t)) != 0) std::abort();
        return 0;
    }
    uint8_t bytes[score_file_capacity];
    const int length = encode_score_file(table, bytes);
    ScoreTable again{};
    if (!decode_score_file(bytes, static_cast<size_t>(length), again)) std::abort();
    if (std::memcmp(&table, &again, sizeof table) != 0) std::abort();
    return 0;
}
