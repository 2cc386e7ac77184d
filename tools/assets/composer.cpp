#include "composer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace composer {
namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod7(int d) { return ((d % 7) + 7) % 7; }

// Nearest degree to d that belongs to the chord (ties go down: melodies settle).
int NearestChordDegree(const Chord& chord, int d) {
    for (int distance = 0; distance < 7; ++distance) {
        if (chord.Has(d - distance)) return d - distance;
        if (chord.Has(d + distance)) return d + distance;
    }
    return d;
}

}  // namespace

int Rng::Below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((static_cast<std::uint64_t>(state_ >> 8) * static_cast<std::uint64_t>(n)) >> 24);
}

int Scale::Pitch(int degree) const { return tonic + steps[Mod7(degree)] + 12 * FloorDiv(degree, 7); }

bool Chord::Has(int degree) const {
    int above = Mod7(degree - root);
    return above == 0 || above == 2 || above == 4 || (size >= 4 && above == 6);
}

std::vector<int> Voicing(const Scale& scale, const Chord& chord, const std::vector<int>& previous,
                         int low, int high, int voices) {
    std::vector<int> best;
    long bestCost = std::numeric_limits<long>::max();
    for (int start = -21; start < 35; ++start) {
        if (!chord.Has(start) || scale.Pitch(start) < low) continue;
        std::vector<int> keys;
        for (int d = start; static_cast<int>(keys.size()) < voices; ++d)
            if (chord.Has(d)) keys.push_back(scale.Pitch(d));
        if (keys.back() > high) break;
        long cost = 0;
        if (previous.size() == keys.size()) {
            for (size_t i = 0; i < keys.size(); ++i) cost += std::abs(keys[i] - previous[i]);
        } else {
            cost = std::abs(keys.front() + keys.back() - low - high);
        }
        if (cost < bestCost) {
            bestCost = cost;
            best = keys;
        }
    }
    return best;
}

std::vector<Note> Melody(Rng& rng, const Scale& scale, const std::vector<Chord>& bars, int barTicks,
                         int startTick, const MelodyStyle& style) {
    static const int kSteps[] = {-1, 1, -1, 1, -2, 2, 0, -3, 3, 1, -1, 2};
    std::vector<Note> notes;
    std::vector<std::vector<int>> barRhythm(bars.size()), barShape(bars.size());
    const int middle = (style.lowDegree + style.highDegree) / 2;
    int degree = middle;
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        const Chord& chord = bars[bar];
        const bool answer = bar % 8 == 4 || bar % 8 == 5;
        const bool cadence = bar % 4 == 3 || bar + 1 == bars.size();
        std::vector<int>& rhythm = barRhythm[bar];
        if (answer) rhythm = barRhythm[bar - 4];
        else if (cadence) rhythm = style.cadence;
        else rhythm = style.rhythms[static_cast<size_t>(rng.Below(static_cast<int>(style.rhythms.size())))];
        int pos = 0;
        for (size_t i = 0; i < rhythm.size(); ++i) {
            const bool strong = pos % style.beatTicks == 0;
            const bool last = i + 1 == rhythm.size();
            if (answer && i < barShape[bar - 4].size()) {
                degree = barShape[bar - 4][i];
            } else {
                int step = kSteps[rng.Below(12)];
                if (degree > middle + 3 && step > 0) step = -step;  // drift back toward the centre
                if (degree < middle - 3 && step < 0) step = -step;
                degree += step;
            }
            degree = std::clamp(degree, style.lowDegree, style.highDegree);
            if (strong || (cadence && last)) degree = NearestChordDegree(chord, degree);
            // Phrases end on the chord's root or third, where the ear expects a rest.
            if (cadence && last && Mod7(degree - chord.root) == 4) degree -= 2;
            barShape[bar].push_back(degree);
            int velocity = style.velocity + (strong ? 8 : 0) + rng.Below(7) - 3;
            notes.push_back({startTick + static_cast<int>(bar) * barTicks + pos, rhythm[i] * 15 / 16,
                             scale.Pitch(degree), velocity});
            pos += rhythm[i];
        }
    }
    return notes;
}

}  // namespace composer
