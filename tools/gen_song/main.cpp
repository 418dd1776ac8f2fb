// gen-song: writes the game's song, media/song.mid, from the score below.
//
// The game plays one file tick per millisecond whatever the file says, so the
// file is written at 400 ticks per quarter note and 150 beats per minute,
// where the two agree: a sixteenth note is 100 ms, a whole multiple of the
// sequencer's 10 ms step. The sequencer sends its table strictly in order and
// does not merge tracks, so every instrument shares one track in time order;
// a first track holds the tempo alone. The song loops when its last record
// has gone out, so every note ends before the loop point and a last control
// change marks where it falls.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int ticks_per_quarter = 400;
constexpr int sixteenth = ticks_per_quarter / 4;
constexpr int bar_ticks = 16 * sixteenth;
constexpr uint32_t tempo_us = 400000;  // 150 bpm

constexpr uint8_t lead = 0, keys = 1, bass = 2, drums = 9;

struct Event {
    int time;
    int order;  // at one time: controls first, then note-offs, then note-ons
    uint8_t status, first, second;
};
std::vector<Event> events;

void note(uint8_t channel, int start, int length, int key, int velocity) {
    events.push_back({start, 2, uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)});
    events.push_back({start + length, 1, uint8_t(0x80 | channel), uint8_t(key), 0x40});
}
void control(uint8_t channel, int time, int number, int value) {
    events.push_back({time, 0, uint8_t(0xB0 | channel), uint8_t(number), uint8_t(value)});
}

// "C6", "F#5", "Bb4" as a key number, C4 = 60.
int key_of(const std::string& name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    int key = steps[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++key, ++i;
    else if (name[i] == 'b') --key, ++i;
    return key + 12 * (std::atoi(name.c_str() + i) + 1);
}

// One bar of the tune: "NAME:SIXTEENTHS" tokens, "r" for a rest.
void melody_bar(int bar, const char* text) {
    int pos = 0;
    std::string token;
    std::string all = std::string(text) + " ";
    for (char c : all) {
        if (c != ' ') {
            token += c;
            continue;
        }
        if (token.empty()) continue;
        const size_t colon = token.find(':');
        const std::string name = token.substr(0, colon);
        const int length = std::atoi(token.c_str() + colon + 1);
        if (name != "r") {
            // Short notes bounce, long ones sing.
            const int gate = length * sixteenth - (length <= 2 ? 30 : 50);
            note(lead, bar * bar_ticks + pos * sixteenth, gate, key_of(name), pos == 0 ? 108 : 96);
        }
        pos += length;
        token.clear();
    }
    if (pos != 16) {
        std::fprintf(stderr, "gen-song: bar %d holds %d sixteenths\n", bar, pos);
        std::exit(1);
    }
}

struct Chord {
    int root;          // bass root, low
    int tones[3];      // the keyboard's voicing around middle C
};
const Chord C{36, {60, 64, 67}}, G{31, {59, 62, 67}}, Am{33, {60, 64, 69}}, F{41, {60, 65, 69}},
    Em{40, {59, 64, 67}};

// Octave jumps on the eighths, the fifth before the last: the bounce.
void bass_bar(int bar, const Chord& chord) {
    const int offsets[8] = {0, 12, 0, 12, 0, 12, 7, 12};
    for (int i = 0; i < 8; ++i)
        note(bass, bar * bar_ticks + i * 2 * sixteenth, 140, chord.root + offsets[i], i % 2 ? 88 : 104);
}

// Stabs on the off-beats, or two held halves for the calmer part.
void keys_bar(int bar, const Chord& chord, bool held) {
    for (int k : chord.tones) {
        if (held) {
            note(keys, bar * bar_ticks, 8 * sixteenth - 20, k, 72);
            note(keys, bar * bar_ticks + 8 * sixteenth, 8 * sixteenth - 20, k, 66);
        } else {
            for (int pos : {2, 6, 10, 14}) note(keys, bar * bar_ticks + pos * sixteenth, 100, k, 78);
        }
    }
}

constexpr int kick = 36, snare = 38, closed_hat = 42, open_hat = 46, crash = 49;

void hit(int bar, int pos, int key, int velocity) {
    note(drums, bar * bar_ticks + pos * sixteenth, 60, key, velocity);
}

enum class Beat { hats_only, groove, fill };

void drum_bar(int bar, Beat beat, bool crash_first) {
    if (crash_first) hit(bar, 0, crash, 100);
    const int hat_end = beat == Beat::fill ? 12 : 16;
    for (int pos = 0; pos < hat_end; pos += 2)
        hit(bar, pos, beat == Beat::groove && pos == 14 ? open_hat : closed_hat, pos % 4 ? 64 : 88);
    for (int pos : {0, 8, 10})
        if (beat != Beat::fill || pos < 12) hit(bar, pos, kick, 112);
    if (beat == Beat::hats_only) return;
    hit(bar, 4, snare, 100);
    if (beat == Beat::groove) hit(bar, 12, snare, 104);
    // A run of sixteenths into the next part, louder as it goes.
    if (beat == Beat::fill)
        for (int pos = 12; pos < 16; ++pos) hit(bar, pos, snare, 84 + 10 * (pos - 12));
}

struct Section {
    std::vector<Chord> chords;
    std::vector<const char*> tune;  // empty: no melody
    bool held_keys;
};

const Section intro{{C, G, Am, F}, {}, false};
const Section verse{{C, G, Am, F, C, G, F, G},
                    {"E5:2 G5:2 C6:3 B5:1 C6:2 G5:2 E5:4", "D5:2 G5:2 B5:3 A5:1 B5:2 G5:2 D5:2 G5:2",
                     "C6:2 B5:2 A5:3 E5:1 A5:2 C6:2 E6:4", "D6:3 C6:1 A5:2 F5:2 A5:2 C6:2 G5:4",
                     "E5:2 G5:2 C6:3 B5:1 C6:2 G5:2 E5:4", "D5:2 G5:2 B5:3 A5:1 B5:2 G5:2 D5:2 G5:2",
                     "A5:2 C6:2 F6:3 E6:1 D6:2 C6:2 A5:4", "B5:3 C6:1 D6:4 G5:2 A5:2 B5:2 D6:2"},
                    false};
const Section chorus{{F, G, Em, Am, F, G, C, G},
                     {"A5:6 G5:2 F5:4 A5:4", "B5:6 A5:2 G5:4 B5:4", "G5:4 B5:4 E6:6 D6:2", "C6:6 B5:2 A5:8",
                      "F5:2 A5:2 C6:2 A5:2 C6:4 A5:4", "D6:2 B5:2 G5:2 B5:2 D6:4 F6:4", "E6:6 D6:2 C6:8",
                      "r:4 G5:2 A5:2 B5:2 C6:2 D6:4"},
                     true};
const Section bridge{{Am, F, C, G, Am, F, G, G},
                     {"E5:1 E5:1 A5:2 E5:2 A5:2 C6:2 B5:2 A5:4", "F5:1 F5:1 A5:2 F5:2 A5:2 C6:2 D6:2 C6:4",
                      "G5:1 G5:1 C6:2 G5:2 C6:2 E6:2 D6:2 C6:4", "B5:2 D6:2 G6:4 F6:2 D6:2 B5:4",
                      "E5:1 E5:1 A5:2 E5:2 A5:2 C6:2 B5:2 A5:4", "F5:1 F5:1 A5:2 F5:2 A5:2 C6:2 D6:2 C6:4",
                      "D6:2 B5:2 G5:2 B5:2 D6:2 G6:2 F6:2 D6:2", "G6:6 r:10"},
                     false};

int compose() {
    const Section* parts[] = {&intro, &verse, &chorus, &verse, &bridge, &verse};
    // Sound set: square lead, electric piano, synth bass, standard drums.
    const int programs[][2] = {{lead, 80}, {keys, 4}, {bass, 38}};
    for (auto [channel, program] : programs)
        events.push_back({0, 0, uint8_t(0xC0 | channel), uint8_t(program), 0});
    for (auto [channel, volume, pan, reverb] :
         {std::array<int, 4>{lead, 100, 72, 40}, {keys, 76, 44, 50}, {bass, 104, 64, 10}, {drums, 100, 64, 30}}) {
        control(uint8_t(channel), 0, 7, volume);
        control(uint8_t(channel), 0, 10, pan);
        control(uint8_t(channel), 0, 91, reverb);
    }
    int bar = 0;
    for (const Section* part : parts) {
        const int bars = static_cast<int>(part->chords.size());
        for (int i = 0; i < bars; ++i, ++bar) {
            const Chord& chord = part->chords[i];
            bass_bar(bar, chord);
            keys_bar(bar, chord, part->held_keys);
            if (!part->tune.empty()) melody_bar(bar, part->tune[i]);
            const Beat beat = part == &intro && i < 2 ? Beat::hats_only : i == bars - 1 ? Beat::fill : Beat::groove;
            drum_bar(bar, beat, i == 0);
        }
    }
    return bar * bar_ticks;
}

void put_quantity(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = uint8_t(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n > 1) out.push_back(uint8_t(bytes[--n] | 0x80));
    out.push_back(bytes[0]);
}
void put_text(std::vector<uint8_t>& out, uint8_t type, const std::string& text) {
    out.insert(out.end(), {0x00, 0xFF, type});
    put_quantity(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}
void put_chunk(std::vector<uint8_t>& file, const char* id, const std::vector<uint8_t>& data) {
    const auto n = static_cast<uint32_t>(data.size());
    file.insert(file.end(), id, id + 4);
    file.insert(file.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    file.insert(file.end(), data.begin(), data.end());
}

std::vector<uint8_t> conductor_track(int loop_ticks) {
    std::vector<uint8_t> t;
    put_text(t, 0x03, "WaxDrop");
    t.insert(t.end(), {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
    t.insert(t.end(), {0x00, 0xFF, 0x51, 0x03, uint8_t(tempo_us >> 16), uint8_t(tempo_us >> 8), uint8_t(tempo_us)});
    put_quantity(t, static_cast<uint32_t>(loop_ticks));
    t.insert(t.end(), {0xFF, 0x2F, 0x00});
    return t;
}

std::vector<uint8_t> music_track(int loop_ticks) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    std::vector<uint8_t> t;
    put_text(t, 0x03, "Band");
    int now = 0;
    for (const Event& e : events) {
        put_quantity(t, static_cast<uint32_t>(e.time - now));
        now = e.time;
        t.push_back(e.status);
        t.push_back(e.first);
        if ((e.status & 0xF0) != 0xC0) t.push_back(e.second);
    }
    put_quantity(t, static_cast<uint32_t>(loop_ticks - now));
    t.insert(t.end(), {0xFF, 0x2F, 0x00});
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen-song OUTDIR\n");
        return 2;
    }
    const int loop_ticks = compose();
    const int last_note_off = std::max_element(events.begin(), events.end(), [](const Event& a, const Event& b) {
                                  return a.time < b.time;
                              })->time;
    // The loop comes one 10 ms step after the last record: make that record
    // All Notes Off on every channel, 10 ticks before the loop point.
    if (last_note_off > loop_ticks - 10) {
        std::fprintf(stderr, "gen-song: a note still sounds at the loop point\n");
        return 1;
    }
    for (uint8_t channel : {lead, keys, bass, drums}) control(channel, loop_ticks - 10, 123, 0);
    // The tempo record, then every channel message: the game's table holds 4096.
    const size_t records = 1 + events.size();
    if (records > 4096) {
        std::fprintf(stderr, "gen-song: %zu records, more than the game keeps\n", records);
        return 1;
    }

    std::vector<uint8_t> file;
    put_chunk(file, "MThd", {0, 1, 0, 2, uint8_t(ticks_per_quarter >> 8), uint8_t(ticks_per_quarter & 0xFF)});
    put_chunk(file, "MTrk", conductor_track(loop_ticks));
    put_chunk(file, "MTrk", music_track(loop_ticks));

    const std::string path = std::string(argv[1]) + "/song.mid";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "gen-song: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %zu records, %.1f s\n", path.c_str(), records, loop_ticks / 1000.0);
    return 0;
}
