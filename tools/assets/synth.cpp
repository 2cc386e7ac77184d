#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

size_t SampleAt(double seconds) { return static_cast<size_t>(std::lround(seconds * kSampleRate)); }

void Grow(Signal& out, size_t length) {
    if (out.size() < length) out.resize(length, 0.0);
}

// Deterministic white noise in -1..1, so two runs write identical files.
struct NoiseSource {
    std::uint32_t state;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

}  // namespace

double Adsr::At(double t, double gate) const {
    if (t < 0.0) return 0.0;
    auto held = [&](double u) {
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0 - (1.0 - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < gate) return held(t);
    if (release <= 0.0 || t >= gate + release) return 0.0;
    return held(gate) * (1.0 - (t - gate) / release);
}

Signal Silence(double seconds) { return Signal(SampleAt(seconds), 0.0); }

void AddTone(Signal& out, double start, double gate, double freq, double level, const Adsr& env,
             const std::vector<Partial>& partials, double freqEnd) {
    if (freqEnd <= 0.0) freqEnd = freq;
    const size_t first = SampleAt(start), count = SampleAt(env.Length(gate));
    Grow(out, first + count);
    std::vector<double> phase(partials.size(), 0.0);
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double progress = std::min(1.0, t / std::max(gate, 1e-6));
        double f = freq * std::pow(freqEnd / freq, progress);  // glides sound even on a log scale
        double sum = 0.0;
        for (size_t p = 0; p < partials.size(); ++p) {
            double pf = f * partials[p].ratio;
            if (pf >= kSampleRate / 2.0) continue;  // above Nyquist it would fold back as noise
            phase[p] += kTwoPi * pf / kSampleRate;
            sum += partials[p].level * std::exp(-partials[p].decayRate * t) * std::sin(phase[p]);
        }
        out[first + i] += level * env.At(t, gate) * sum;
    }
}

void AddFm(Signal& out, double start, double gate, double freq, double ratio, double index,
           double indexEnd, double level, const Adsr& env) {
    const size_t first = SampleAt(start), count = SampleAt(env.Length(gate));
    Grow(out, first + count);
    double carrier = 0.0, modulator = 0.0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double k = index + (indexEnd - index) * std::min(1.0, t / env.Length(gate));
        modulator += kTwoPi * freq * ratio / kSampleRate;
        carrier += kTwoPi * freq / kSampleRate;
        out[first + i] += level * env.At(t, gate) * std::sin(carrier + k * std::sin(modulator));
    }
}

void AddNoise(Signal& out, double start, double gate, double level, const Adsr& env,
              double highPassHz, double lowPassHz, std::uint32_t seed) {
    const size_t first = SampleAt(start), count = SampleAt(env.Length(gate));
    Grow(out, first + count);
    NoiseSource noise{seed};
    const double hpA = highPassHz > 0 ? std::exp(-kTwoPi * highPassHz / kSampleRate) : 0.0;
    const double lpA = lowPassHz > 0 ? std::exp(-kTwoPi * lowPassHz / kSampleRate) : 0.0;
    double hpLow = 0.0, lp = 0.0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double x = noise.Next();
        if (highPassHz > 0) {
            hpLow = (1.0 - hpA) * x + hpA * hpLow;
            x -= hpLow;
        }
        if (lowPassHz > 0) x = lp = (1.0 - lpA) * x + lpA * lp;
        out[first + i] += level * env.At(t, gate) * x;
    }
}

void AddResonator(Signal& out, double start, double seconds, double freq, double q, double level,
                  std::uint32_t seed) {
    const size_t first = SampleAt(start), count = SampleAt(seconds);
    Grow(out, first + count);
    NoiseSource noise{seed};
    // Two-pole resonator; the pole radius sets how long the body rings.
    const double r = std::exp(-std::numbers::pi * freq / (q * kSampleRate));
    const double a1 = 2.0 * r * std::cos(kTwoPi * freq / kSampleRate), a2 = -r * r;
    const size_t burst = SampleAt(0.003);
    double y1 = 0.0, y2 = 0.0;
    for (size_t i = 0; i < count; ++i) {
        double x = i < burst ? noise.Next() * (1.0 - static_cast<double>(i) / burst) : 0.0;
        double y = (1.0 - r) * x + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        out[first + i] += level * y;
    }
}

void Finish(Signal& signal, double peak) {
    if (signal.empty()) return;
    double mean = 0.0;
    for (double v : signal) mean += v;
    mean /= static_cast<double>(signal.size());
    double top = 0.0;
    for (double& v : signal) {
        v -= mean;
        top = std::max(top, std::fabs(v));
    }
    const double scale = top > 0.0 ? peak / top : 0.0;
    const size_t fadeIn = std::min(signal.size() / 4, SampleAt(0.002));
    const size_t fadeOut = std::min(signal.size() / 4, SampleAt(0.010));
    for (size_t i = 0; i < signal.size(); ++i) {
        double gain = scale;
        if (i < fadeIn) gain *= static_cast<double>(i) / fadeIn;
        size_t fromEnd = signal.size() - 1 - i;
        if (fromEnd < fadeOut) gain *= static_cast<double>(fromEnd) / fadeOut;
        signal[i] *= gain;
    }
}

std::vector<std::int16_t> ToPcm16(const Signal& signal) {
    std::vector<std::int16_t> pcm(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(signal[i], -1.0, 1.0) * 32767.0));
    return pcm;
}

}  // namespace synth
