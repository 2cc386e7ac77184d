// A tiny additive/FM/noise synthesiser for the game's sound effects.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

constexpr int kSampleRate = 22050;

// Mono signal in full-scale units (1.0 = the 16-bit limit).
using Signal = std::vector<double>;

struct Adsr {
    double attack = 0.002, decay = 0.1, sustain = 0.0, release = 0.05;
    // Level at time t (seconds) of a note held for gate seconds.
    double At(double t, double gate) const;
    double Length(double gate) const { return gate + release; }
};

struct Partial {
    double ratio;  // of the fundamental
    double level;
    double decayRate = 0.0;  // extra exponential decay per second, so high partials die first
};

Signal Silence(double seconds);

// A note of several partials starting at start seconds; freq may glide to freqEnd.
void AddTone(Signal& out, double start, double gate, double freq, double level, const Adsr& env,
             const std::vector<Partial>& partials, double freqEnd = 0.0);
// Two-operator FM: the modulation index falls from index to indexEnd over the note.
void AddFm(Signal& out, double start, double gate, double freq, double ratio, double index,
           double indexEnd, double level, const Adsr& env);
// Noise through a band (one-pole high-pass then low-pass; 0 disables a side).
void AddNoise(Signal& out, double start, double gate, double level, const Adsr& env,
              double highPassHz, double lowPassHz, std::uint32_t seed);
// A resonant band-pass ring excited by a short noise burst: wood, clicks.
void AddResonator(Signal& out, double start, double seconds, double freq, double q, double level,
                  std::uint32_t seed);

// Scales to the wanted peak, fades a few milliseconds in and out and makes the
// first and last samples exactly zero, so the game's mixer never starts or ends with a click.
void Finish(Signal& signal, double peak);
std::vector<std::int16_t> ToPcm16(const Signal& signal);

}  // namespace synth
