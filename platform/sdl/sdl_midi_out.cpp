// The MIDI output on Linux: FluidSynth with a General MIDI soundfont, played
// through the sound server. The song's short messages go to the synth's
// channel calls; anything that is not a channel message (the tempo records)
// is dropped, as a MIDI device would drop it. No soundfont or no sound
// output means no MIDI output: the game then plays on without music.

#include "platform/midi_out.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "platform/sdl/sdl_midi_out.h"

namespace {

fluid_settings_t* settings = nullptr;
fluid_synth_t* synth = nullptr;
fluid_audio_driver_t* driver = nullptr;

bool is_file(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// WAXDROP_SOUNDFONT when set (even to a file that is not there: that asks
// for no music), otherwise the system's General MIDI soundfont.
std::string soundfont() {
    if (const char* chosen = std::getenv("WAXDROP_SOUNDFONT")) return is_file(chosen) ? chosen : "";
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"})
        if (is_file(path)) return path;
    return "";
}

void close_all() {
    if (driver) delete_fluid_audio_driver(driver);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    driver = nullptr;
    synth = nullptr;
    settings = nullptr;
}

void quiet_log(int, const char*, void*) {}

// The settings and the synth with its soundfont: everything but the sound
// output. Reading the soundfont is most of the game's start-up.
bool load_synth() {
    const std::string font = soundfont();
    if (font.empty()) return false;
    settings = new_fluid_settings();
    if (!settings) return false;
    // Samples are read when a note first needs them: start-up stays quick
    // and only the instruments the song uses take memory.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    // The song is a few General MIDI voices: 22050 Hz carries it and halves
    // the synth's share of the processor.
    fluid_settings_setnum(settings, "synth.sample-rate", 22050.0);
    fluid_settings_setint(settings, "synth.polyphony", 64);
    // Larger periods: fewer wake-ups of the synth's sound-server threads,
    // for a song whose notes need no finer timing than the 10 ms timer's.
    fluid_settings_setint(settings, "audio.period-size", 512);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setstr(settings, "audio.driver", "pulseaudio");
    fluid_settings_setstr(settings, "audio.pulseaudio.media-role", "game");
    synth = new_fluid_synth(settings);
    if (!synth || fluid_synth_sfload(synth, font.c_str(), 1) == FLUID_FAILED) {
        close_all();
        return false;
    }
    return true;
}

void quiet_fluidsynth() {
    // FluidSynth reports a missing sound server on stderr; the game says nothing.
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, quiet_log, nullptr);
}

// The synth being loaded ahead of the port's opening, and what came of it.
struct Preparation {
    std::thread loader;
    bool loaded = false;
    ~Preparation() {
        if (loader.joinable()) loader.join();  // a start-up that ended early
    }
} preparation;

}  // namespace

void midi_out_prepare() {
    if (preparation.loader.joinable() || synth) return;
    quiet_fluidsynth();
    preparation.loader = std::thread([] { preparation.loaded = load_synth(); });
}

bool midi_out_open() {
    bool loaded = false;
    if (preparation.loader.joinable()) {
        preparation.loader.join();
        loaded = preparation.loaded;
    } else {
        quiet_fluidsynth();
        loaded = load_synth();
    }
    if (!loaded) return false;
    driver = new_fluid_audio_driver(settings, synth);
    if (!driver) {
        // No sound server: try the sound card itself before giving up.
        fluid_settings_setstr(settings, "audio.driver", "alsa");
        driver = new_fluid_audio_driver(settings, synth);
    }
    if (!driver) {
        close_all();
        return false;
    }
    return true;
}

void midi_out_short(uint32_t message) {
    if (!synth) return;
    const int status = static_cast<int>(message & 0xFF);
    const int d1 = static_cast<int>((message >> 8) & 0x7F);
    const int d2 = static_cast<int>((message >> 16) & 0x7F);
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, d1); break;
    case 0x90: fluid_synth_noteon(synth, channel, d1, d2); break;  // velocity 0 is a note-off
    case 0xA0: fluid_synth_key_pressure(synth, channel, d1, d2); break;
    case 0xB0: fluid_synth_cc(synth, channel, d1, d2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, d1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, d1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, d1 | d2 << 7); break;
    default: break;  // tempo records and anything else that is no channel message
    }
}

void midi_out_close() { close_all(); }
