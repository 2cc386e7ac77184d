// The thirteen sound effects, each designed for the moment the game plays it.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "data_out.h"
#include "generator.h"
#include "synth.h"
#include "wave_file.h"

namespace {

using synth::Adsr;
using synth::Partial;
using synth::Signal;

// Hollow, slightly bright: odd partials like a soft square wave.
const std::vector<Partial> kSoftSquare{{1, 1.0}, {3, 0.30, 6}, {5, 0.12, 10}, {7, 0.05, 14}};
// Struck metal: inharmonic partials whose upper ones fade first.
const std::vector<Partial> kBell{{1, 1.0, 1.5}, {2.76, 0.45, 4}, {5.40, 0.22, 8}, {8.93, 0.10, 12}};
const std::vector<Partial> kSine{{1, 1.0}};

double Note(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// 1: a piece lands; heard constantly, so it must stay soft and short.
Signal PieceArrives() {
    Signal s = synth::Silence(0.09);
    synth::AddTone(s, 0, 0.005, 1480, 0.6, {0.002, 0.05, 0, 0.02}, {{1, 1.0, 20}, {2.01, 0.3, 40}});
    synth::AddNoise(s, 0, 0.004, 0.15, {0.001, 0.01, 0, 0.01}, 2000, 6000, 11);
    return s;
}

// 2: a new board: a two-note bell chime, rising.
Signal NewBoard() {
    Signal s = synth::Silence(0.95);
    synth::AddTone(s, 0.00, 0.05, Note(84), 0.5, {0.003, 0.6, 0, 0.2}, kBell);
    synth::AddTone(s, 0.14, 0.05, Note(91), 0.5, {0.003, 0.6, 0, 0.2}, kBell);
    synth::AddTone(s, 0.14, 0.05, Note(72), 0.25, {0.01, 0.5, 0, 0.2}, kSine);
    return s;
}

// 3: a turn, the effect heard most, so it must cut through the music without
// tiring the ear: a bright ping, a burst of grit, a wooden clack in the middle
// band that small speakers carry, and a little low body under them.
Signal PieceTurns() {
    // Everything starts after the 2 ms fade-in of Finish, so the attack keeps its edge.
    const double at = 0.002;
    Signal s = synth::Silence(0.055);
    synth::AddTone(s, at, 0.03, 2650, 0.25, {0.0005, 0.03, 0, 0.008}, {{1, 1.0, 40}, {2.37, 0.3, 120}});
    synth::AddNoise(s, at, 0.003, 0.15, {0.0005, 0.004, 0, 0.003}, 1500, 7000, 34);
    synth::AddResonator(s, at, 0.05, 1050, 45, 24.0, 33);
    synth::AddTone(s, at, 0.04, 190, 0.35, {0.002, 0.04, 0, 0.01}, kSine, 120);
    return s;
}

// 4: speed rises: a quick rising arpeggio.
Signal SpeedRises() {
    Signal s = synth::Silence(0.5);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        synth::AddTone(s, 0.07 * i, 0.05, Note(notes[i]), 0.35, {0.004, 0.08, 0.4, 0.12}, kSoftSquare);
    return s;
}

// 5: a loop cleared: a bright strummed major chord with FM shimmer.
Signal LoopCleared() {
    Signal s = synth::Silence(1.0);
    const int chord[] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i)
        synth::AddFm(s, 0.025 * i, 0.25, Note(chord[i]), 2.0, 2.5, 0.3, 0.2, {0.005, 0.3, 0.3, 0.45});
    synth::AddTone(s, 0.1, 0.2, Note(96), 0.08, {0.01, 0.3, 0, 0.3}, kBell);
    return s;
}

// 6: the board is stopped: a falling sweep, winding down.
Signal GameStopped() {
    Signal s = synth::Silence(0.65);
    synth::AddTone(s, 0, 0.55, 880, 0.6, {0.01, 0.1, 0.8, 0.08}, {{1, 1.0}, {2, 0.3, 3}, {3, 0.15, 5}}, 140);
    return s;
}

// 7: the level option toggles: a two-step blip.
Signal LevelToggled() {
    Signal s = synth::Silence(0.25);
    synth::AddTone(s, 0.00, 0.05, Note(76), 0.5, {0.003, 0.04, 0.5, 0.03}, kSoftSquare);
    synth::AddTone(s, 0.09, 0.07, Note(83), 0.5, {0.003, 0.04, 0.5, 0.06}, kSoftSquare);
    return s;
}

// Reedy: a soft square with even partials, brighter in the middle band.
const std::vector<Partial> kReed{{1, 1.0}, {2, 0.45, 3}, {3, 0.40, 4}, {4, 0.25, 6}, {5, 0.18, 8}};

// 8: game over: a falling minor phrase ending on a low, slow-dying note.
Signal GameOver() {
    Signal s = synth::Silence(1.0);
    const int notes[] = {67, 63, 60};
    for (int i = 0; i < 3; ++i)
        synth::AddTone(s, 0.16 * i, 0.12, Note(notes[i]), 0.4, {0.01, 0.1, 0.6, 0.08}, kReed);
    synth::AddTone(s, 0.48, 0.25, Note(55), 0.45, {0.01, 0.2, 0.5, 0.25}, kReed);
    synth::AddTone(s, 0.48, 0.25, Note(43), 0.3, {0.02, 0.2, 0.6, 0.25}, kSine);
    return s;
}

// 9: a refused move: a dull low buzz, heard as "no" without being harsh. Its
// nasal upper partials carry it on small speakers, which drop the low buzz itself.
Signal MoveRefused() {
    Signal s = synth::Silence(0.25);
    std::vector<Partial> saw;
    for (int k = 1; k <= 9; ++k) saw.push_back({static_cast<double>(k), 1.0 / k, 4.0 * k});
    const std::vector<Partial> nasal{{7, 0.40, 3}, {9, 0.32, 4}, {11, 0.22, 5}};
    synth::AddTone(s, 0, 0.16, 110, 0.5, {0.008, 0.05, 0.7, 0.05}, saw);
    synth::AddTone(s, 0, 0.16, 116.5, 0.3, {0.008, 0.05, 0.7, 0.05}, saw);
    synth::AddTone(s, 0, 0.16, 110, 0.5, {0.008, 0.05, 0.7, 0.05}, nasal);
    return s;
}

// 10 and 13: the title pieces appear every 50 ms, so each blip is shorter than that.
Signal TitleBlip(double freq) {
    Signal s = synth::Silence(0.05);
    synth::AddTone(s, 0, 0.01, freq, 0.5, {0.002, 0.03, 0, 0.008}, {{1, 1.0}, {2, 0.2, 30}});
    return s;
}

// 11: pieces knock together: a wooden body ringing briefly, with a harder upper
// ring so the knock is still heard on small speakers.
Signal WoodenKnock() {
    Signal s = synth::Silence(0.14);
    synth::AddResonator(s, 0, 0.13, 620, 9, 5.0, 111);
    synth::AddResonator(s, 0, 0.10, 1350, 7, 3.5, 112);
    synth::AddTone(s, 0, 0.01, 260, 0.3, {0.001, 0.05, 0, 0.02}, kSine, 180);
    return s;
}

// 12: a piece explodes: a noise burst whose band closes while crackles pop in it.
Signal Explosion() {
    Signal s = synth::Silence(0.55);
    synth::AddNoise(s, 0, 0.02, 0.7, {0.002, 0.35, 0, 0.15}, 60, 2500, 121);
    synth::AddNoise(s, 0, 0.02, 0.5, {0.001, 0.12, 0, 0.05}, 1500, 0, 122);
    synth::AddNoise(s, 0, 0.03, 0.8, {0.002, 0.2, 0, 0.08}, 500, 2000, 124);  // debris: the body small speakers carry
    synth::AddTone(s, 0, 0.1, 90, 0.5, {0.003, 0.25, 0, 0.1}, kSine, 45);
    std::uint32_t rng = 123;
    for (int i = 0; i < 24; ++i) {  // crackles thin out as the burst fades
        rng = rng * 1103515245u + 12345u;
        double at = 0.02 + 0.42 * (i / 24.0) * (i / 24.0) + (rng >> 16) % 100 / 4000.0;
        double level = 0.5 * (1.0 - i / 30.0);
        synth::AddNoise(s, at, 0.002, level, {0.0005, 0.004, 0, 0.003}, 700, 3000, rng);
    }
    return s;
}

struct Effect {
    int number;
    std::function<Signal()> make;
    double peak;  // loudness relative to the other effects
};

}  // namespace

void WriteEffects(const std::string& folder) {
    const Effect effects[] = {
        {1, PieceArrives, 0.45},  {2, NewBoard, 0.75},      {3, PieceTurns, 0.85},
        {4, SpeedRises, 0.55},    {5, LoopCleared, 0.85},   {6, GameStopped, 0.5},
        {7, LevelToggled, 0.45},  {8, GameOver, 0.7},       {9, MoveRefused, 0.55},
        {10, [] { return TitleBlip(1318.5); }, 0.4},        {11, WoodenKnock, 0.7},
        {12, Explosion, 0.85},    {13, [] { return TitleBlip(1760.0); }, 0.4},
    };
    for (const Effect& effect : effects) {
        Signal signal = effect.make();
        synth::Finish(signal, effect.peak);
        char name[16];
        std::snprintf(name, sizeof name, "%02d.wav", effect.number);
        data_out::WriteBytes(folder + name,
                             wave_file::EncodeMono16(synth::ToPcm16(signal), synth::kSampleRate));
    }
}
