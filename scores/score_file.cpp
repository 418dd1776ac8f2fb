#include "scores/score_file.h"

#include "text/text.h"

namespace {

void put_entry(const ScoreEntry& entry, uint8_t* out) {
    for (int i = 0; i < 100; ++i) {
        out[2 * i] = static_cast<uint8_t>(entry.name[i] & 0xFF);
        out[2 * i + 1] = static_cast<uint8_t>(entry.name[i] >> 8);
    }
    const uint32_t score = static_cast<uint32_t>(entry.score);
    for (int i = 0; i < 4; ++i) out[200 + i] = static_cast<uint8_t>(score >> (8 * i));
}

void get_entry(const uint8_t* in, ScoreEntry& entry) {
    for (int i = 0; i < 100; ++i) entry.name[i] = static_cast<char16_t>(in[2 * i] | in[2 * i + 1] << 8);
    uint32_t score = 0;
    for (int i = 0; i < 4; ++i) score |= static_cast<uint32_t>(in[200 + i]) << (8 * i);
    entry.score = static_cast<int32_t>(score);
}

// Undoes the line-end translation one byte at a time: only a 0x0D that is
// directly followed by 0x0A stands for something else. Every other byte,
// 0x1A included, is itself.
struct FileReader {
    const uint8_t* bytes;
    size_t size;
    size_t at = 0;
    bool next(uint8_t& out) {
        if (at >= size) return false;
        out = bytes[at++];
        if (out == 0x0D && at < size && bytes[at] == 0x0A) out = bytes[at++];
        return true;
    }
};

}  // namespace

int encode_score_file(const ScoreTable& table, uint8_t* out) {
    uint8_t image[score_image_size];
    for (int e = 0; e < 3; ++e) put_entry(table.entries[e], image + e * score_record_size);
    int n = 0;
    for (uint8_t b : image) {
        if (b == 0x0A) out[n++] = 0x0D;
        out[n++] = b;
    }
    return n;
}

bool decode_score_file(const uint8_t* bytes, size_t size, ScoreTable& table) {
    FileReader reader{bytes, size};
    int records = 0;
    for (; records < 3; ++records) {
        uint8_t record[score_record_size];
        int got = 0;
        while (got < score_record_size && reader.next(record[got])) ++got;
        if (got < score_record_size) break;
        get_entry(record, table.entries[records]);
    }
    if (records == 3) return true;
    set_default_scores(table);
    return false;
}

void set_default_scores(ScoreTable& table) {
    for (ScoreEntry& entry : table.entries) {
        entry.score = 0;
        copy_text(entry.name, 5, u"open");
    }
}
