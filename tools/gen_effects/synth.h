#pragma once
// The few building blocks the effect sounds are made of. Only basic IEEE
// arithmetic, so the same sounds come out everywhere.

#include <cstdint>
#include <string>
#include <vector>

constexpr int effect_rate = 11025;

// sin(2 pi cycles), for any cycles.
double sine_cycles(double cycles);

// A repeatable noise source in -1..1.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double next();

private:
    uint32_t state_;
};

// A phase in cycles that advances by frequency / effect_rate per sample.
class Oscillator {
public:
    double step(double frequency);  // returns the phase before the step
private:
    double phase_ = 0;
};

// Scale so that the loudest sample is peak, with short fades at both ends
// so the effect neither starts nor stops with a click.
std::vector<int16_t> finish(const std::vector<double>& sound, int16_t peak, int fade_samples);

// A RIFF WAVE file: format chunk first, two identical channels of 16-bit PCM
// at 11025 Hz. False when the file cannot be written.
bool write_wav(const std::string& path, const std::vector<int16_t>& samples);
