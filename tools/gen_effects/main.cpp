// gen-effects OUTDIR: writes doing.wav, hit.wav, brick.wav and buzz.wav, the
// four sounds the game mixes into its effect stream. They are short on
// purpose: every play reads the whole file during a frame.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/gen_effects/synth.h"

namespace {

int samples_for_ms(int ms) { return effect_rate * ms / 1000; }

// The paddle: a plucked note whose pitch drops quickly onto its rest and
// wobbles a little on the way, like a spring that was flicked.
std::vector<int16_t> doing() {
    const int n = samples_for_ms(200);
    std::vector<double> out(n);
    Oscillator tone, wobble;
    double bend = 1.0, body = 1.0, bright = 1.0;
    for (int i = 0; i < n; ++i) {
        const double shake = 0.035 * body * sine_cycles(wobble.step(24.0));
        const double f = 392.0 * (1.0 + 0.6 * bend + shake);
        const double p = tone.step(f);
        const double attack = i < 24 ? static_cast<double>(i) / 24 : 1.0;
        out[i] = attack * body * (sine_cycles(p) + 0.45 * bright * sine_cycles(2 * p) +
                                  0.2 * bright * bright * sine_cycles(3 * p));
        bend *= 0.9935;   // 14 ms
        body *= 0.99855;  // 63 ms
        bright *= 0.996;  // 23 ms
    }
    return finish(out, 18000, samples_for_ms(4));
}

// A wall: a dry click, a short bright ping over a tap of noise, gone in 50 ms.
std::vector<int16_t> hit() {
    const int n = samples_for_ms(50);
    std::vector<double> out(n);
    Oscillator ping, thump;
    Noise noise(7);
    double fast = 1.0, slow = 1.0;
    for (int i = 0; i < n; ++i) {
        out[i] = fast * (0.7 * sine_cycles(ping.step(1500.0)) + 0.5 * noise.next()) +
                 slow * 0.6 * sine_cycles(thump.step(320.0));
        fast *= 0.982;  // 5 ms
        slow *= 0.99;   // 9 ms
    }
    return finish(out, 16000, samples_for_ms(2));
}

// A honeycomb: a crisp crunch of many tiny cracks, each a grain of bright
// noise that starts hard and dies at once, over a soft knock.
std::vector<int16_t> brick() {
    const int n = samples_for_ms(150);
    std::vector<double> out(n);
    Noise noise(2024), grains(99);
    Oscillator knock;
    double grain = 0, overall = 1.0, body = 1.0, previous = 0;
    int next_grain = 0;
    for (int i = 0; i < n; ++i) {
        if (i == next_grain) {
            grain = 0.55 + 0.45 * (grains.next() * 0.5 + 0.5);
            next_grain = i + 60 + static_cast<int>((grains.next() * 0.5 + 0.5) * 140);
        }
        const double white = noise.next();
        const double crisp = white - 0.6 * previous;  // tilt toward the highs
        previous = white;
        out[i] = overall * grain * crisp + body * 0.5 * sine_cycles(knock.step(180.0));
        grain *= 0.975;     // 4 ms
        overall *= 0.9985;  // 61 ms
        body *= 0.993;      // 13 ms
    }
    return finish(out, 17000, samples_for_ms(3));
}

// A bee: a rough, reedy tone around 220 Hz with a slow waver and the beat of
// its wings, rising a little as it closes in; just over half a second.
std::vector<int16_t> buzz() {
    const int n = samples_for_ms(600);
    std::vector<double> out(n);
    Oscillator tone, waver, wings;
    Noise noise(31);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double f = (205.0 + 35.0 * t) * (1.0 + 0.03 * sine_cycles(waver.step(7.0)));
        const double p = tone.step(f);
        double saw = 0;
        for (int h = 1; h * f < 5000.0; ++h) saw += sine_cycles(h * p) / (h + 0.6 * h * h / 4.0);
        const double beat = 1.0 + 0.3 * sine_cycles(wings.step(46.0));
        const double swell = t < 0.08 ? t / 0.08 : t > 0.82 ? (1.0 - t) / 0.18 : 1.0;
        out[i] = swell * beat * (saw + 0.08 * noise.next());
    }
    return finish(out, 12000, samples_for_ms(5));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen-effects OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char* name;
        std::vector<int16_t> samples;
    } effects[] = {{"doing.wav", doing()}, {"hit.wav", hit()}, {"brick.wav", brick()}, {"buzz.wav", buzz()}};
    for (const auto& e : effects) {
        if (!write_wav(dir + "/" + e.name, e.samples)) {
            std::fprintf(stderr, "gen-effects: cannot write %s/%s\n", dir.c_str(), e.name);
            return 1;
        }
    }
    return 0;
}
