#include "tools/gen_effects/synth.h"

#include <cstdio>

namespace {

constexpr double pi = 3.14159265358979323846;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put_tag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

double sine_cycles(double cycles) {
    // Into -0.5..0.5 cycles, then fold onto -pi/2..pi/2, where the series
    // below is good to about 1e-10.
    const auto whole = static_cast<int64_t>(cycles);
    double c = cycles - static_cast<double>(whole);
    if (c > 0.5) c -= 1.0;
    if (c < -0.5) c += 1.0;
    if (c > 0.25) c = 0.5 - c;
    if (c < -0.25) c = -0.5 - c;
    const double x = 2.0 * pi * c;
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 8; ++n) {
        term = -term * x2 / static_cast<double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double Noise::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(static_cast<int32_t>(state_)) / 2147483648.0;
}

double Oscillator::step(double frequency) {
    const double before = phase_;
    phase_ += frequency / effect_rate;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return before;
}

std::vector<int16_t> finish(const std::vector<double>& sound, int16_t peak, int fade_samples) {
    std::vector<double> faded = sound;
    const int n = static_cast<int>(faded.size());
    for (int i = 0; i < fade_samples && i < n; ++i) {
        const double gain = static_cast<double>(i) / fade_samples;
        faded[i] *= gain;
        faded[n - 1 - i] *= gain;
    }
    double loudest = 0;
    for (double s : faded) loudest = s > loudest ? s : -s > loudest ? -s : loudest;
    std::vector<int16_t> out;
    for (double s : faded) {
        const double v = loudest > 0 ? s * peak / loudest : 0;
        out.push_back(static_cast<int16_t>(v < 0 ? v - 0.5 : v + 0.5));  // round half away from zero
    }
    return out;
}

bool write_wav(const std::string& path, const std::vector<int16_t>& samples) {
    const auto data_bytes = static_cast<uint32_t>(samples.size() * 4);
    std::vector<uint8_t> out;
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);                  // PCM
    put16(out, 2);                  // channels
    put32(out, effect_rate);
    put32(out, effect_rate * 4);    // bytes per second
    put16(out, 4);                  // block alignment
    put16(out, 16);                 // bits per sample
    put_tag(out, "data");
    put32(out, data_bytes);
    for (int16_t s : samples) {
        put16(out, static_cast<uint16_t>(s));
        put16(out, static_cast<uint16_t>(s));
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}
