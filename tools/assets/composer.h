// Small music-theory helpers for the generated background pieces: scales, chords,
// voice-led accompaniment and a seeded melody maker with phrase structure.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace composer {

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed) {}
    int Below(int n);
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint32_t state_;
};

using ScaleSteps = std::array<int, 7>;
constexpr ScaleSteps kMajor{0, 2, 4, 5, 7, 9, 11};
constexpr ScaleSteps kMinor{0, 2, 3, 5, 7, 8, 10};
constexpr ScaleSteps kDorian{0, 2, 3, 5, 7, 9, 10};
constexpr ScaleSteps kHarmonicMinor{0, 2, 3, 5, 7, 8, 11};

struct Scale {
    int tonic;  // MIDI key of degree 0
    ScaleSteps steps;
    int Pitch(int degree) const;  // any degree, octaves included
};

// A diatonic chord on a scale degree; size 4 adds the seventh.
struct Chord {
    int root = 0;
    int size = 3;
    bool Has(int degree) const;
};

struct Note {
    int tick, length, key, velocity;
};

// Chord-tone keys in [low, high] stacked closely, led from the previous voicing so
// the accompaniment moves by small steps instead of jumping with every chord.
std::vector<int> Voicing(const Scale& scale, const Chord& chord, const std::vector<int>& previous,
                         int low, int high, int voices);

struct MelodyStyle {
    std::vector<std::vector<int>> rhythms;  // note lengths of one bar, in ticks
    std::vector<int> cadence;               // rhythm of a phrase's last bar
    int lowDegree, highDegree;              // range as scale degrees
    int beatTicks;
    int velocity;
};

// One melody note list over the bars' chords: bars 5-6 of every eight answer bars 1-2
// with the same rhythm and shape, so a listener hears phrases rather than a random walk.
std::vector<Note> Melody(Rng& rng, const Scale& scale, const std::vector<Chord>& bars, int barTicks,
                         int startTick, const MelodyStyle& style);

}  // namespace composer
