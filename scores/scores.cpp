// The score table, its file and the entry of a new score.

#include "scores/scores.h"

#include <cstdio>

#include "platform/files.h"
#include "scores/score_file.h"
#include "text/text.h"

ScoreTable score_table;
ScoreEntry pending_entry;

namespace {

constexpr char16_t score_file_name[] = u"scores.bin";
// Beside the score file, so that putting it in place is a rename within one
// folder and never a copy across disks.
constexpr char16_t score_temp_name[] = u"scores.bin.tmp";

void report_save_error() {
    char16_t text[64];
    format_text(text, 64, u"Error saving the score file [%s].", score_file_name);
    message_box(text, message_caption);
}

// Write the whole file to temp and push it to the disk before it takes the
// old file's place; until then the old file is not touched.
bool write_score_file(const char16_t* temp, const char16_t* path, const uint8_t* bytes, int length) {
    std::FILE* f = file_open(temp, "wb");
    if (!f) return false;
    const size_t wanted = static_cast<size_t>(length);
    const bool written = std::fwrite(bytes, 1, wanted, f) == wanted;
    const bool synced = written && file_sync(f);
    const bool closed = std::fclose(f) == 0;
    if (written && synced && closed && file_replace(temp, path)) return true;
    file_remove(temp);
    return false;
}

}  // namespace

bool load_scores_file(const char16_t* path) {
    // Reading only: a file the player may not write still has scores to show.
    std::FILE* f = file_open(path, "rb");
    if (!f) {
        set_default_scores(score_table);
        return false;
    }
    uint8_t bytes[score_file_capacity];
    const size_t size = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    return decode_score_file(bytes, size, score_table);
}

void load_scores() {
    char16_t path[media_path_capacity];
    if (!score_path(score_file_name, path, false)) {
        set_default_scores(score_table);
        return;
    }
    load_scores_file(path);
}

void save_scores() {
    char16_t path[media_path_capacity];
    char16_t temp[media_path_capacity];
    uint8_t bytes[score_file_capacity];
    const int length = encode_score_file(score_table, bytes);
    // The table in memory keeps the new entry whatever happens here, so the
    // High Scores dialog still shows it for the rest of the run.
    if (!score_path(score_file_name, path, true) || !score_path(score_temp_name, temp, false) ||
        !write_score_file(temp, path, bytes, length))
        report_save_error();
}

void insert_entry(int32_t score) {
    // Strictly greater: a new score equal to an old one goes below it.
    const uint32_t s = static_cast<uint32_t>(score);
    ScoreEntry* e = score_table.entries;
    if (s > static_cast<uint32_t>(e[0].score)) {
        e[2] = e[1];
        e[1] = e[0];
        e[0] = pending_entry;
    } else if (s > static_cast<uint32_t>(e[1].score)) {
        e[2] = e[1];
        e[1] = pending_entry;
    } else {
        e[2] = pending_entry;
    }
}

bool submit_score(int32_t score) {
    if (static_cast<uint32_t>(score) <= static_cast<uint32_t>(score_table.entries[2].score)) return false;
    pending_entry.score = score;
    // OK leaves the typed name in pending_entry, Cancel leaves "anonymous";
    // the score is entered either way.
    dialog_run(dialog_new_score, new_score_proc);
    insert_entry(score);
    save_scores();
    return true;
}
