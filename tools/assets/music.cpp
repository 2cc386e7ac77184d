// The background pieces, composed by a seeded generator: eleven pieces of
// different characters, each with melody, harmony and rhythm, a contrasting
// middle section in another key and texture, and an ending that slows and fades.
// They are played, not typed in: accents, loose timing, swells on held notes,
// a breath at the end of each section. Long enough (2-3 minutes) that they do
// not nag a thinking player; an hour of play repeats little.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "composer.h"
#include "data_out.h"
#include "generator.h"
#include "midi_writer.h"

namespace {

using composer::Chord;
using composer::Note;
using composer::Scale;
using midi::Track;
constexpr int Q = midi::kTicksPerQuarter;

// ---- the form ----

struct Section {
    char name = 'A';
    Scale scale;
    std::vector<Chord> chords;  // one a bar
    int firstBar = 0;
    bool Contrast() const { return name == 'B'; }
    int Bars() const { return static_cast<int>(chords.size()); }
};

// Chords of one section, one per bar, from degree numbers (0 = tonic); size 4 adds the seventh.
std::vector<Chord> Bars(std::initializer_list<int> roots, int size = 3) {
    std::vector<Chord> bars;
    for (int r : roots) bars.push_back({r, size});
    return bars;
}

// The sections in playing order ("AABA"), each placed after the one before.
std::vector<Section> Form(const Section& a, const Section& b, const std::string& order) {
    std::vector<Section> all;
    int bar = 0;
    for (char c : order) {
        Section s = c == 'A' ? a : b;
        s.name = c;
        s.firstBar = bar;
        bar += s.Bars();
        all.push_back(s);
    }
    return all;
}

int TotalBars(const std::vector<Section>& form) { return form.back().firstBar + form.back().Bars(); }

// ---- the performance ----

// The dynamics every part of a piece follows: a level a bar (the middle section
// its own, the last phrase dying away) and an arch over each four-bar phrase.
struct Dynamics {
    int barTicks = 4 * Q;
    std::vector<int> barLevel;

    Dynamics(const std::vector<Section>& form, int bar, int contrastLevel) : barTicks(bar) {
        for (const Section& s : form)
            for (int b = 0; b < s.Bars(); ++b) barLevel.push_back(s.Contrast() ? contrastLevel : 0);
        static const int kDyingAway[] = {-3, -6, -10, -14};
        for (int i = 0; i < 4 && i < static_cast<int>(barLevel.size()); ++i)
            barLevel[barLevel.size() - 4 + static_cast<size_t>(i)] += kDyingAway[i];
    }
    int Level(int tick) const {
        static const int kArch[] = {-4, 1, 5, -2};  // a phrase rises to its third bar and settles
        const int bar = tick / barTicks;
        if (bar >= static_cast<int>(barLevel.size())) return barLevel.empty() ? 0 : barLevel.back() - 4;
        return barLevel[static_cast<size_t>(bar)] + kArch[bar % 4];
    }
};

// How a part is played: the lean on the bar's first beat (half of it on the other
// beats, taken off between them), how loosely it sits on the beat, and how far it
// lags behind (a singing line lags a little, a bass or drum does not).
struct Feel {
    int accent = 8;
    int looseness = 6;  // ticks early or late at most
    int lag = 0;
    int beatTicks = Q;
};

// The whole piece's level is trimmed through every channel's volume (the
// synthesiser's gain goes with the square of it), so the pieces sound equally loud.
int Trimmed(int volume, double trimDb) {
    return std::clamp(static_cast<int>(std::lround(volume * std::pow(10.0, trimDb / 40.0))), 1, 127);
}

class Player {
public:
    Player(const std::string& name, int channel, int program, int volume, int reverb, int pan, const Feel& feel,
           std::uint32_t seed, const Dynamics& dynamics, double trimDb)
        : track_(name), channel_(channel), feel_(feel), rng_(seed), dynamics_(&dynamics) {
        if (channel != midi::kDrumChannel) track_.Program(0, channel, program);
        track_.Control(0, channel, 7, Trimmed(volume, trimDb));
        track_.Control(0, channel, 11, 110);
        track_.Control(0, channel, 91, reverb);
        track_.Control(0, channel, 10, pan);
    }

    void Note(int tick, int length, int key, int velocity) {
        const int pos = tick % dynamics_->barTicks;
        const int accent = pos == 0 ? feel_.accent : pos % feel_.beatTicks == 0 ? feel_.accent / 2 : -feel_.accent / 2;
        const int shift = tick == 0 ? rng_.Below(feel_.looseness + 1)
                                    : feel_.lag + rng_.Below(2 * feel_.looseness + 1) - feel_.looseness;
        // A late note is held a little shorter, an early one a little longer: it still ends near its place.
        played_.push_back({tick + shift, std::max(length - shift / 2, 10), key,
                           std::clamp(velocity + accent + dynamics_->Level(tick), 12, 122)});
    }

    void Play(const std::vector<composer::Note>& notes, int transpose = 0, int velocityOffset = 0) {
        for (const composer::Note& n : notes) Note(n.tick, n.length, n.key + transpose, n.velocity + velocityOffset);
    }

    // A chord rolled from the lowest note up, roll ticks apart, as a hand spreads it.
    void Chord(int tick, int length, const std::vector<int>& keys, int velocity, int roll = 0) {
        for (size_t i = 0; i < keys.size(); ++i)
            Note(tick + roll * static_cast<int>(i), length - roll * static_cast<int>(i), keys[i], velocity);
    }

    // Expression rises from low to high and back over [from, to): a held note breathes.
    void Swell(int from, int to, int low, int high) { Expression(from, to, low, high, true); }
    // Expression falls from high to low over [from, to) and stays there: the ending fades.
    void Fade(int from, int to, int high, int low) { Expression(from, to, high, low, false); }

    // The part's track, its notes written. The synthesiser ends every sounding
    // note of a key at that key's note-off, so a note played again before the
    // last one ended would be cut off at once: the earlier one ends as it starts.
    Track& track() {
        std::stable_sort(played_.begin(), played_.end(), [](const Played& a, const Played& b) {
            return a.key != b.key ? a.key < b.key : a.tick < b.tick;
        });
        for (size_t i = 0; i < played_.size(); ++i) {
            Played& n = played_[i];
            if (i + 1 < played_.size() && played_[i + 1].key == n.key)
                n.length = std::min(n.length, played_[i + 1].tick - n.tick);
            track_.Note(n.tick, n.length, channel_, n.key, n.velocity);
        }
        played_.clear();
        return track_;
    }

private:
    void Expression(int from, int to, int a, int b, bool arch) {
        const int step = Q / 4;
        for (int tick = from; tick <= to; tick += step) {
            const double progress = static_cast<double>(tick - from) / std::max(1, to - from);
            const double shape = arch ? std::sin(std::numbers::pi * progress) : progress;
            track_.Control(tick, channel_, 11, static_cast<int>(std::lround(a + (b - a) * shape)));
        }
    }

    struct Played {
        int tick, length, key, velocity;
    };
    Track track_;
    std::vector<Played> played_;
    int channel_;
    Feel feel_;
    composer::Rng rng_;
    const Dynamics* dynamics_;
};

// The conductor: tempo and metre, a breath at each section's end, the final ritardando.
class Conductor {
public:
    Conductor(const std::string& title, double tempo, int numerator, int denominator)
        : track_(title), tempo_(tempo) {
        track_.Tempo(0, tempo);
        track_.TimeSignature(0, numerator, denominator);
    }
    // The last beats of a section hold back a little, and the next section starts in time.
    void Breathe(int sectionEnd, int beatTicks) {
        track_.Tempo(sectionEnd - 2 * beatTicks, tempo_ * 0.96);
        track_.Tempo(sectionEnd - beatTicks, tempo_ * 0.91);
        track_.Tempo(sectionEnd, tempo_);
    }
    // From `from` to `to` the tempo slows, more and more, to `slowest` of itself; it stays there.
    void Ritardando(int from, int to, double slowest) {
        for (int tick = from; tick <= to; tick += Q / 2) {
            const double progress = static_cast<double>(tick - from) / std::max(1, to - from);
            track_.Tempo(tick, tempo_ * (1.0 - (1.0 - slowest) * progress * progress));
        }
    }
    Track& track() { return track_; }

private:
    Track track_;
    double tempo_;
};

// Every piece ends the same way in outline: the last two bars slow down, the
// final chord is held over two more bars while every part fades.
void ComposedEnding(Conductor& conductor, std::vector<Player*> players, const std::vector<Section>& form,
                    int barTicks, int beatTicks) {
    for (size_t i = 0; i + 1 < form.size(); ++i) conductor.Breathe((form[i].firstBar + form[i].Bars()) * barTicks, beatTicks);
    const int end = TotalBars(form) * barTicks;
    conductor.Ritardando(end - 2 * barTicks, end, 0.72);
    for (Player* p : players) p->Fade(end, end + 2 * barTicks - Q, 110, 35);
}

// The last chord, held over two more bars so the piece ends rather than stops.
void FinalChord(Player& p, const Scale& s, int tick, int length, int low, int high, int v, int roll = 0) {
    p.Chord(tick, length, composer::Voicing(s, {0, 3}, {}, low, high, 4), v, roll);
}

void Save(const std::string& folder, const char* name, Conductor& conductor, std::vector<Player*> players) {
    std::vector<Track> tracks{conductor.track()};
    for (Player* p : players) tracks.push_back(p->track());
    data_out::WriteBytes(folder + name, midi::EncodeFile(tracks));
}

// Level trims in dB, from the rendered levels bench_sdl_sound_levels prints.
struct Trims {
    double drift, waltz, tide, canon, meadow, lantern, clockwork, circuit, lullaby, procession, rain;
};
constexpr Trims kTrim{2.3, -2.1, 1.8, 1.7, -1.2, -1.5, 0.7, -0.6, 0.5, -1.3, 1.8};

// ---- the pieces ----

// Gentle piano over sustained strings, D major, 72 per minute. The middle turns
// to D minor: the piano only murmurs and the strings sing the tune.
void Drift(const std::string& folder) {
    const int bar = 4 * Q;
    const Section a{'A', {62, composer::kMajor}, Bars({0, 5, 3, 4, 0, 5, 1, 4})};
    const Section b{'B', {62, composer::kMinor}, Bars({3, 6, 2, 5, 3, 4, 0, 4})};
    const auto form = Form(a, b, "AABABA");
    const Dynamics dyn(form, bar, -5);
    Conductor conductor("Drift", 72, 4, 4);
    Player tune("Piano melody", 0, 0, 120, 50, 70, {10, 8, 6, Q}, 11, dyn, kTrim.drift);
    Player hands("Piano arpeggios", 1, 0, 105, 50, 50, {8, 6, 0, Q}, 12, dyn, kTrim.drift);
    Player strings("Strings", 2, 49, 95, 70, 40, {4, 10, 10, Q}, 13, dyn, kTrim.drift);
    const composer::MelodyStyle style{{{Q, Q, 2 * Q}, {2 * Q, Q, Q}, {Q, Q / 2, Q / 2, Q, Q}, {3 * Q, Q}, {Q, Q, Q, Q}},
                                      {4 * Q}, 5, 14, Q, 86};
    const composer::MelodyStyle sung{{{2 * Q, 2 * Q}, {3 * Q, Q}, {4 * Q}, {2 * Q, Q, Q}}, {4 * Q}, 2, 10, 2 * Q, 84};
    std::vector<int> voicing;
    static const int kFigure[] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(1201 + static_cast<std::uint32_t>(sec.name));  // a returning section returns with its tune
        if (sec.Contrast()) {
            const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, sung);
            strings.Play(line, 12);
            for (const composer::Note& n : line) strings.Swell(n.tick, n.tick + n.length, 70, 118);
        } else {
            tune.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, style));
        }
        for (int b = 0; b < sec.Bars(); ++b) {
            const int t = at + b * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(b)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 50, 72, 3);
            const int bass = sec.scale.Pitch(chord.root) - 12;
            if (sec.Contrast()) {  // half as busy: the bass and a slow broken chord
                hands.Note(t, 2 * Q, bass, 70);
                for (int i = 1; i < 4; ++i) hands.Note(t + i * Q, Q, voicing[static_cast<size_t>(i - 1)], 58);
                continue;
            }
            for (int i = 0; i < 8; ++i) {
                const int key = kFigure[i] == 0 ? bass : voicing[static_cast<size_t>(kFigure[i] - 1)];
                hands.Note(t + i * Q / 2, Q / 2 + (i == 0 ? Q : 0), key, i == 0 ? 80 : 66);
            }
            if (sec.firstBar >= 8) {  // the strings join after the first statement and breathe with each chord
                strings.Chord(t, bar - 10, voicing, 62);
                strings.Swell(t, t + bar, 60, 105);
            }
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale& home = form.back().scale;
    FinalChord(hands, home, end, 2 * bar, 50, 74, 62, 40);
    FinalChord(strings, home, end, 2 * bar, 50, 74, 48);
    tune.Note(end, 2 * bar, home.tonic + 12, 70);
    ComposedEnding(conductor, {&tune, &hands, &strings}, form, bar, Q);
    Save(folder, "01-drift.mid", conductor, {&tune, &hands, &strings});
}

// A light jazz waltz in F with vibraphone, piano comping, walking bass and brushes.
// Each chorus's bridge goes to D minor, where a clarinet takes the tune over a
// bass in long notes and brushes alone.
void Waltz(const std::string& folder) {
    const int bar = 3 * Q;
    const Section a{'A', {65, composer::kMajor}, Bars({0, 5, 1, 4, 2, 5, 1, 4}, 4)};
    const Section b{'B', {62, composer::kHarmonicMinor}, Bars({3, 3, 0, 0, 5, 5, 4, 4}, 4)};
    const auto form = Form(a, b, "AABAAABAAABAAABA");
    const Dynamics dyn(form, bar, -3);
    Conductor conductor("Waltz", 144, 3, 4);
    Player tune("Vibraphone", 0, 11, 95, 60, 80, {8, 10, 8, Q}, 21, dyn, kTrim.waltz);
    Player comp("Piano", 1, 0, 75, 50, 50, {6, 8, 4, Q}, 22, dyn, kTrim.waltz);
    Player bass("Bass", 2, 32, 100, 30, 64, {8, 5, 0, Q}, 23, dyn, kTrim.waltz);
    Player drums("Brushes", midi::kDrumChannel, 0, 70, 40, 64, {10, 4, 0, Q}, 24, dyn, kTrim.waltz);
    Player clarinet("Clarinet", 3, 71, 80, 60, 45, {6, 10, 10, Q}, 25, dyn, kTrim.waltz);
    const composer::MelodyStyle style{
        {{Q, Q, Q}, {2 * Q, Q}, {Q / 2, Q / 2, Q, Q}, {Q, Q / 2, Q / 2, Q}, {Q, 2 * Q}}, {3 * Q}, 6, 13, Q, 70};
    const composer::MelodyStyle bridge{{{2 * Q, Q}, {3 * Q}, {Q, 2 * Q}, {Q, Q, Q}}, {3 * Q}, 3, 10, Q, 70};
    std::vector<int> voicing;
    for (size_t i = 0; i < form.size(); ++i) {
        const Section& sec = form[i];
        const int at = sec.firstBar * bar, chorus = static_cast<int>(i / 4);
        composer::Rng rng(2300 + static_cast<std::uint32_t>(chorus * 7 + sec.name));  // each chorus its own tune
        if (sec.Contrast()) {
            const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, bridge);
            clarinet.Play(line);
            for (const composer::Note& n : line)
                if (n.length >= 2 * Q) clarinet.Swell(n.tick, n.tick + n.length, 80, 120);
        } else {
            tune.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, style), chorus == 2 ? -12 : 0);  // the third chorus sings an octave lower
        }
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            const int global = sec.firstBar + k;
            const Chord& next = global + 1 < TotalBars(form) ? (k + 1 < sec.Bars() ? sec.chords[static_cast<size_t>(k + 1)]
                                                                                       : form[i + 1].chords[0])
                                                             : chord;
            const Scale& nextScale = k + 1 < sec.Bars() || i + 1 == form.size() ? sec.scale : form[i + 1].scale;
            voicing = composer::Voicing(sec.scale, chord, voicing, 53, 72, 4);
            for (int key : voicing) {
                comp.Note(t + Q, Q / 2, key, 48);
                if (k % 2 == 1) comp.Note(t + 2 * Q + Q / 3, Q / 3, key, 40);
            }
            const int root = sec.scale.Pitch(chord.root) - 24, nextRoot = nextScale.Pitch(next.root) - 24;
            if (sec.Contrast()) {  // the bridge floats: one long bass note a bar, brushes on the ride alone
                bass.Note(t, 3 * Q - 30, root, 74);
                drums.Note(t, Q / 2, 51, 46);
                drums.Note(t + 2 * Q, Q / 2, 51, 36);
                continue;
            }
            bass.Note(t, Q - 20, root, 80);
            bass.Note(t + Q, Q - 20, root + 7 > 52 ? root - 5 : root + 7, 68);
            bass.Note(t + 2 * Q, Q - 20, nextRoot + (nextRoot > root ? -1 : 1), 66);  // lean into the next root
            for (int beat = 0; beat < 3; ++beat) drums.Note(t + beat * Q, Q / 2, 51, beat == 0 ? 58 : 46);
            drums.Note(t + 2 * Q + 2 * Q / 3, Q / 3, 51, 38);  // the swung skip
            drums.Note(t + Q, Q / 2, 44, 40);
            drums.Note(t + 2 * Q, Q / 2, 44, 40);
            if (k % 4 == 0) drums.Note(t, Q / 2, 36, 50);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale& home = form.back().scale;
    FinalChord(comp, home, end, 2 * bar, 53, 74, 58, 30);
    tune.Note(end, 2 * bar, home.tonic + 12, 66);
    bass.Note(end, 2 * bar, home.tonic - 24, 78);
    drums.Note(end, Q, 51, 55);
    ComposedEnding(conductor, {&tune, &comp, &bass, &drums, &clarinet}, form, bar, Q);
    Save(folder, "02-waltz.mid", conductor, {&tune, &comp, &bass, &drums, &clarinet});
}

// Slow pads in E minor with a sparse music-box line, 60 per minute, no drums.
// The middle opens into E major: the box chimes twice as often, the bass moves.
void Tide(const std::string& folder) {
    const int bar = 4 * Q;
    const Section a{'A', {52, composer::kMinor}, Bars({0, 0, 5, 5, 2, 2, 6, 6}, 4)};
    const Section b{'B', {52, composer::kMajor}, Bars({3, 3, 4, 4, 5, 5, 4, 4}, 4)};
    const auto form = Form(a, b, "ABABA");
    const Dynamics dyn(form, bar, 4);
    Conductor conductor("Tide", 60, 4, 4);
    Player bells("Music box", 0, 10, 80, 90, 80, {8, 10, 6, Q}, 31, dyn, kTrim.tide);
    Player pad("Warm pad", 1, 89, 105, 90, 50, {2, 6, 0, Q}, 32, dyn, kTrim.tide);
    Player bass("Fretless", 2, 35, 80, 60, 64, {6, 6, 0, Q}, 33, dyn, kTrim.tide);
    const composer::MelodyStyle slow{{{2 * Q, 2 * Q}, {3 * Q, Q}, {Q, Q, 2 * Q}, {4 * Q}}, {4 * Q}, 7, 16, Q, 58};
    const composer::MelodyStyle open{{{Q, Q, Q, Q}, {Q, Q, 2 * Q}, {2 * Q, Q, Q}, {Q / 2, Q / 2, Q, 2 * Q}}, {4 * Q}, 7, 16, Q, 60};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(3107 + static_cast<std::uint32_t>(sec.name));
        const auto tune = composer::Melody(rng, sec.scale, sec.chords, bar, at, sec.Contrast() ? open : slow);
        for (size_t i = 0; i < tune.size(); ++i)
            if (sec.Contrast() || (tune[i].tick / bar) % 4 != 3 || i % 3 != 1)
                bells.Note(tune[i].tick, tune[i].length * 2, tune[i].key + 12, tune[i].velocity);
        for (int k = 0; k < sec.Bars(); k += 2) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 52, 74, 4);
            pad.Chord(t, 2 * bar - 20, voicing, 52);
            pad.Swell(t, t + 2 * bar, sec.Contrast() ? 60 : 70, sec.Contrast() ? 124 : 110);
            const int root = sec.scale.Pitch(chord.root) - 12;
            if (sec.Contrast()) {  // the bass walks up to each chord
                for (int i = 0; i < 4; ++i) bass.Note(t + i * 2 * Q, 2 * Q - 30, sec.scale.Pitch(chord.root + i) - 12, 58);
            } else {
                bass.Note(t, 2 * bar - 40, root, 60);
            }
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(pad, home, end, 2 * bar, 52, 74, 52);
    FinalChord(bells, home, end, 2 * bar, 64, 88, 50, 120);
    bass.Note(end, 2 * bar, home.tonic - 12, 60);
    ComposedEnding(conductor, {&bells, &pad, &bass}, form, bar, Q);
    Save(folder, "03-tide.mid", conductor, {&bells, &pad, &bass});
}

// Two harpsichord voices in G over a walking bass; a cello joins later. The middle
// turns to E minor, the right hand slows to a chorale and the cello carries the bass.
void Canon(const std::string& folder) {
    const int bar = 4 * Q;
    const Section a{'A', {55, composer::kMajor}, Bars({0, 3, 6, 2, 5, 1, 4, 0})};
    const Section b{'B', {52, composer::kHarmonicMinor}, Bars({0, 3, 4, 0, 5, 3, 4, 4})};
    const auto form = Form(a, b, "AABABA");
    const Dynamics dyn(form, bar, -4);
    Conductor conductor("Canon", 92, 4, 4);
    Player upper("Harpsichord right", 0, 6, 115, 40, 75, {10, 5, 3, Q}, 41, dyn, kTrim.canon);
    Player lower("Harpsichord left", 1, 6, 100, 40, 55, {10, 4, 0, Q}, 42, dyn, kTrim.canon);
    Player cello("Cello", 2, 42, 70, 50, 40, {4, 8, 6, Q}, 43, dyn, kTrim.canon);
    const composer::MelodyStyle style{{{Q / 2, Q / 2, Q / 2, Q / 2, Q, Q},
                                       {Q / 4, Q / 4, Q / 4, Q / 4, Q / 2, Q / 2, Q / 2, Q / 2, Q, Q},
                                       {Q, Q / 2, Q / 2, Q, Q / 2, Q / 2},
                                       {Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2}},
                                      {Q, Q, 2 * Q}, 7, 16, Q, 72};
    const composer::MelodyStyle chorale{{{Q, Q, Q, Q}, {2 * Q, Q, Q}, {Q, Q, 2 * Q}}, {2 * Q, 2 * Q}, 7, 15, Q, 70};
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(4409 + static_cast<std::uint32_t>(sec.name));
        upper.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, sec.Contrast() ? chorale : style));
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const int r = sec.chords[static_cast<size_t>(k)].root;
            const int root = sec.scale.Pitch(r) - 12, third = sec.scale.Pitch(r + 2) - 12, fifth = sec.scale.Pitch(r + 4) - 12;
            if (sec.Contrast()) {  // a chorale: the left hand in quarter-note chords, the cello sustaining the bass
                for (int i = 0; i < 4; ++i) lower.Chord(t + i * Q, Q - 30, {third, fifth}, i == 0 ? 66 : 56);
                cello.Note(t, bar - 30, root - 12 < 36 ? root : root - 12, 62);
                cello.Swell(t, t + bar, 75, 120);
                continue;
            }
            const int walk[] = {root, root + 12, third, fifth, root + 12, fifth, third, root};
            for (int i = 0; i < 8; ++i) lower.Note(t + i * Q / 2, Q / 2 - 20, walk[i], i % 2 == 0 ? 70 : 58);
            if (sec.firstBar >= 16) {
                cello.Note(t, 2 * Q - 30, root, 55);
                cello.Note(t + 2 * Q, 2 * Q - 30, fifth - 12, 50);
            }
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(lower, home, end, 2 * bar, 43, 67, 70, 50);
    FinalChord(upper, home, end, 2 * bar, 67, 86, 64, 50);
    cello.Note(end, 2 * bar, home.tonic - 12, 60);
    ComposedEnding(conductor, {&upper, &lower, &cello}, form, bar, Q);
    Save(folder, "04-canon.mid", conductor, {&upper, &lower, &cello});
}

// A folk tune in D dorian, 6/8: flute and fiddle over a picked guitar and a soft
// drum. The middle goes to F major: the fiddle takes the tune, the guitar strums.
void Meadow(const std::string& folder) {
    const int eighth = Q / 2, bar = 6 * eighth;
    const Section a{'A', {62, composer::kDorian}, Bars({0, 6, 0, 6, 0, 3, 6, 0})};
    const Section b{'B', {65, composer::kMajor}, Bars({0, 3, 4, 0, 5, 3, 4, 4})};
    const auto form = Form(a, b, "AABBAABBAA");
    const Dynamics dyn(form, bar, 3);
    Conductor conductor("Meadow", 112, 6, 8);
    const Feel lilt{12, 6, 4, 3 * eighth};
    Player flute("Flute", 0, 73, 95, 60, 75, lilt, 51, dyn, kTrim.meadow);
    Player guitar("Guitar", 1, 24, 90, 45, 50, {10, 5, 0, 3 * eighth}, 52, dyn, kTrim.meadow);
    Player fiddle("Fiddle", 2, 40, 70, 55, 35, lilt, 53, dyn, kTrim.meadow);
    Player drum("Drum", midi::kDrumChannel, 0, 70, 40, 64, {12, 3, 0, 3 * eighth}, 54, dyn, kTrim.meadow);
    const composer::MelodyStyle style{{{3 * eighth, 3 * eighth}, {2 * eighth, eighth, 2 * eighth, eighth},
                                       {eighth, eighth, eighth, 3 * eighth}, {2 * eighth, eighth, eighth, eighth, eighth}},
                                      {6 * eighth}, 7, 14, 3 * eighth, 70};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(5503 + static_cast<std::uint32_t>(sec.name));
        const auto tune = composer::Melody(rng, sec.scale, sec.chords, bar, at, style);
        if (sec.Contrast()) {
            fiddle.Play(tune);
            for (const composer::Note& n : tune)
                if (n.length >= 3 * eighth) fiddle.Swell(n.tick, n.tick + n.length, 85, 122);
        } else {
            flute.Play(tune);
            if (sec.firstBar >= 32) fiddle.Play(tune, -12, -12);  // the fiddle plays along later, an octave lower
        }
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 55, 69, 3);
            const int root = sec.scale.Pitch(chord.root) - 12;
            guitar.Note(t, 3 * eighth, root, 72);
            guitar.Note(t + 3 * eighth, 3 * eighth, root + 7 > 57 ? root - 5 : root + 7, 64);
            if (sec.Contrast()) {  // strummed on the two beats
                guitar.Chord(t, 3 * eighth, voicing, 56, 12);
                guitar.Chord(t + 3 * eighth, 3 * eighth, voicing, 48, 12);
                drum.Note(t, eighth, 45, 52);
                continue;
            }
            for (int i : {1, 2, 4, 5})
                for (int key : voicing) guitar.Note(t + i * eighth, eighth, key, i == 1 || i == 4 ? 52 : 44);
            drum.Note(t, eighth, 45, 60);
            drum.Note(t + 3 * eighth, eighth, 45, 48);
            if (sec.firstBar >= 16 && k % 2 == 1) drum.Note(t + 3 * eighth, eighth, 54, 36);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(guitar, home, end, 2 * bar, 50, 69, 60, 25);
    flute.Note(end, 2 * bar, home.tonic + 12, 65);
    ComposedEnding(conductor, {&flute, &guitar, &fiddle, &drum}, form, bar, 3 * eighth);
    Save(folder, "05-meadow.mid", conductor, {&flute, &guitar, &fiddle, &drum});
}

// A bossa in A minor, 132 per minute: a clarinet over a nylon guitar's off-beat
// chords, a bass, shaker and rim. The middle moves to D minor, where strings
// swell under the tune and the guitar and percussion hold back.
void Lantern(const std::string& folder) {
    const int bar = 4 * Q, e = Q / 2;
    const Section a{'A', {57, composer::kMinor}, Bars({0, 3, 6, 2, 5, 1, 4, 4}, 4)};
    const Section b{'B', {62, composer::kMinor}, Bars({5, 3, 6, 2, 5, 1, 4, 4}, 4)};
    const auto form = Form(a, b, "AABAAABAAABA");
    const Dynamics dyn(form, bar, -3);
    Conductor conductor("Lantern", 132, 4, 4);
    Player tune("Clarinet", 0, 71, 90, 60, 72, {6, 12, 12, Q}, 61, dyn, kTrim.lantern);
    Player guitar("Nylon guitar", 1, 24, 105, 45, 50, {8, 4, 0, Q}, 62, dyn, kTrim.lantern);
    Player bass("Bass", 2, 33, 95, 30, 64, {6, 4, 0, Q}, 63, dyn, kTrim.lantern);
    Player strings("Strings", 3, 48, 80, 70, 30, {2, 8, 8, Q}, 64, dyn, kTrim.lantern);
    Player perc("Percussion", midi::kDrumChannel, 0, 70, 40, 64, {10, 3, 0, Q}, 65, dyn, kTrim.lantern);
    const composer::MelodyStyle style{{{Q + e, Q + e, Q}, {e, Q, e, Q, Q}, {Q, Q, Q, e, e}, {2 * Q, Q + e, e}},
                                      {2 * Q, 2 * Q}, 5, 14, Q, 68};
    std::vector<int> voicing;
    for (size_t i = 0; i < form.size(); ++i) {
        const Section& sec = form[i];
        const int at = sec.firstBar * bar;
        composer::Rng rng(6101 + static_cast<std::uint32_t>(i / 4 * 7 + sec.name));  // each chorus its own tune
        tune.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, style));
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 52, 69, 4);
            const int root = sec.scale.Pitch(chord.root) - 24, fifth = sec.scale.Pitch(chord.root + 4) - 24;
            bass.Note(t, 3 * e, root, 76);
            bass.Note(t + 3 * e, e, root, 60);
            bass.Note(t + 4 * e, 4 * e - 20, fifth, 70);
            if (sec.Contrast()) {  // the guitar only marks the half bars; strings breathe under the tune
                guitar.Chord(t, 2 * Q, voicing, 54, 25);
                guitar.Chord(t + 2 * Q, 2 * Q, voicing, 46, 25);
                strings.Chord(t, bar - 10, voicing, 50);
                strings.Swell(t, t + bar, 55, 112);
                perc.Note(t, e, 37, 44);
                continue;
            }
            // The bossa's two-bar pattern of off-beat chords, and its rim clave.
            const bool first = k % 2 == 0;
            for (int hit : first ? std::vector<int>{0, 3, 6} : std::vector<int>{2, 5}) guitar.Chord(t + hit * e, e + 20, voicing, hit == 0 ? 62 : 54, 6);
            for (int hit : first ? std::vector<int>{0, 3, 6} : std::vector<int>{2, 4}) perc.Note(t + hit * e, e, 37, 50);
            for (int i8 = 0; i8 < 8; ++i8) perc.Note(t + i8 * e, e, 70, i8 % 2 == 0 ? 44 : 32);
            for (int hit : {0, 3, 4, 7}) perc.Note(t + hit * e, e, 36, hit % 4 == 0 ? 52 : 38);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(guitar, home, end, 2 * bar, 52, 71, 58, 45);
    FinalChord(strings, home, end, 2 * bar, 52, 71, 46);
    tune.Note(end, 2 * bar, home.tonic + 12, 62);
    bass.Note(end, 2 * bar, home.tonic - 24, 72);
    ComposedEnding(conductor, {&tune, &guitar, &bass, &strings, &perc}, form, bar, Q);
    Save(folder, "06-lantern.mid", conductor, {&tune, &guitar, &bass, &strings, &perc});
}

// A playful, tidy piece in C major, 116 per minute: a staccato marimba over
// pizzicato strings and ticking wood blocks. The middle turns to A minor: a
// bassoon sings long notes while the marimba ripples softly under it.
void Clockwork(const std::string& folder) {
    const int bar = 4 * Q, e = Q / 2, s16 = Q / 4;
    const Section a{'A', {60, composer::kMajor}, Bars({0, 5, 3, 4, 0, 5, 1, 4})};
    const Section b{'B', {57, composer::kHarmonicMinor}, Bars({0, 3, 4, 0, 5, 3, 4, 4})};
    const auto form = Form(a, b, "AABAABBA");
    const Dynamics dyn(form, bar, -4);
    Conductor conductor("Clockwork", 116, 4, 4);
    Player marimba("Marimba", 0, 12, 110, 40, 80, {12, 4, 0, Q}, 71, dyn, kTrim.clockwork);
    Player pizz("Pizzicato", 1, 45, 105, 50, 45, {10, 5, 0, Q}, 72, dyn, kTrim.clockwork);
    Player bassoon("Bassoon", 2, 70, 95, 55, 60, {6, 8, 8, Q}, 73, dyn, kTrim.clockwork);
    Player wood("Wood blocks", midi::kDrumChannel, 0, 65, 35, 64, {12, 2, 0, Q}, 74, dyn, kTrim.clockwork);
    const composer::MelodyStyle busy{{{e, e, e, e, Q, Q}, {Q, e, e, Q, Q}, {e, e, Q, e, e, Q}, {s16, s16, s16, s16, e, e, Q, Q}},
                                     {Q, Q, 2 * Q}, 7, 15, Q, 72};
    const composer::MelodyStyle sung{{{2 * Q, Q, Q}, {Q, Q, 2 * Q}, {3 * Q, Q}, {4 * Q}}, {4 * Q}, 2, 10, Q, 72};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(7207 + static_cast<std::uint32_t>(sec.name));
        if (sec.Contrast()) {
            const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, sung);
            bassoon.Play(line, -12);
            for (const composer::Note& n : line)
                if (n.length >= 2 * Q) bassoon.Swell(n.tick, n.tick + n.length, 80, 122);
        } else {
            for (const composer::Note& n : composer::Melody(rng, sec.scale, sec.chords, bar, at, busy))
                marimba.Note(n.tick, std::max(n.length / 2, s16), n.key, n.velocity);  // staccato
        }
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 55, 72, 3);
            const int root = sec.scale.Pitch(chord.root) - 12, fifth = sec.scale.Pitch(chord.root + 4) - 24;
            if (sec.Contrast()) {  // the marimba ripples through the chord; the strings pluck the bass alone
                for (int i = 0; i < 8; ++i) marimba.Note(t + i * e, e, voicing[static_cast<size_t>(i % 3)] + (i / 3) % 2 * 12, 44);
                pizz.Note(t, Q, root - 12, 66);
                pizz.Note(t + 2 * Q, Q, fifth, 56);
                continue;
            }
            pizz.Note(t, e, root - 12, 74);
            pizz.Note(t + 2 * Q, e, fifth, 64);
            for (int beat : {1, 3}) pizz.Chord(t + beat * Q, e, voicing, 56);
            for (int beat = 0; beat < 4; ++beat) wood.Note(t + beat * Q, e, 76, beat == 0 ? 56 : 44);
            if (k % 2 == 1) wood.Note(t + 3 * Q + e, e, 77, 40);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(marimba, home, end, 2 * bar, 60, 79, 62, 60);
    FinalChord(pizz, home, end, Q, 43, 60, 66);
    bassoon.Note(end, 2 * bar, home.tonic - 24, 62);
    ComposedEnding(conductor, {&marimba, &pizz, &bassoon, &wood}, form, bar, Q);
    Save(folder, "07-clockwork.mid", conductor, {&marimba, &pizz, &bassoon, &wood});
}

// A calm electronic piece in F minor, 100 per minute: a sixteenth-note arpeggio,
// a pulsing synth bass, a pad and an electric piano over a soft four-on-the-floor.
// The middle is a breakdown in F dorian: the beat drops out, the arpeggio halves
// its pace and the pad swells wide.
void Circuit(const std::string& folder) {
    const int bar = 4 * Q, e = Q / 2, s16 = Q / 4;
    const Section a{'A', {53, composer::kMinor}, Bars({0, 5, 2, 6, 0, 5, 3, 4})};
    const Section b{'B', {53, composer::kDorian}, Bars({3, 6, 0, 0, 3, 6, 4, 4})};
    const auto form = Form(a, b, "AABABBA");
    const Dynamics dyn(form, bar, -3);
    Conductor conductor("Circuit", 100, 4, 4);
    Player arp("Arpeggio", 0, 80, 62, 70, 40, {10, 2, 0, Q}, 81, dyn, kTrim.circuit);
    Player keys("Electric piano", 1, 4, 100, 70, 80, {8, 8, 6, Q}, 82, dyn, kTrim.circuit);
    Player pad("Pad", 2, 90, 90, 90, 64, {2, 4, 0, Q}, 83, dyn, kTrim.circuit);
    Player bass("Synth bass", 3, 38, 95, 20, 64, {8, 2, 0, Q}, 84, dyn, kTrim.circuit);
    Player drums("Drums", midi::kDrumChannel, 0, 75, 30, 64, {10, 2, 0, Q}, 85, dyn, kTrim.circuit);
    const composer::MelodyStyle style{{{Q, Q, 2 * Q}, {2 * Q, e, e, Q}, {3 * Q, Q}, {e, e, Q, 2 * Q}}, {4 * Q}, 7, 14, Q, 70};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(8311 + static_cast<std::uint32_t>(sec.name));
        if (sec.firstBar > 0) keys.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, style));  // the first section sets the scene
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 56, 72, 3);
            const std::vector<int> cycle{voicing[0], voicing[1], voicing[2], voicing[0] + 12};
            const int root = sec.scale.Pitch(chord.root) - 24;
            if (k % 2 == 0) {
                pad.Chord(t, 2 * bar - 20, voicing, 50);
                pad.Swell(t, t + 2 * bar, sec.Contrast() ? 50 : 70, sec.Contrast() ? 124 : 105);
            }
            if (sec.Contrast()) {  // the breakdown
                for (int i = 0; i < 8; ++i) arp.Note(t + i * e, e, cycle[static_cast<size_t>(i % 4)], 48);
                bass.Note(t, bar - 30, root, 70);
                for (int i = 0; i < 8; ++i) drums.Note(t + i * e, e, 42, i % 2 == 0 ? 30 : 40);
                continue;
            }
            for (int i = 0; i < 16; ++i) arp.Note(t + i * s16, s16, cycle[static_cast<size_t>(i % 4)], i % 4 == 0 ? 56 : 44);
            for (int i = 0; i < 8; ++i) bass.Note(t + i * e, e - 30, root + (i % 2) * 12, i % 2 == 0 ? 76 : 62);
            for (int beat = 0; beat < 4; ++beat) {
                drums.Note(t + beat * Q, e, 36, beat == 0 ? 66 : 56);
                drums.Note(t + beat * Q + e, e, 42, 42);
                if (beat % 2 == 1 && sec.firstBar >= 8) drums.Note(t + beat * Q, e, 39, 46);
            }
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(pad, home, end, 2 * bar, 53, 74, 52);
    FinalChord(keys, home, end, 2 * bar, 56, 76, 58, 40);
    bass.Note(end, 2 * bar, home.tonic - 24, 70);
    drums.Note(end, Q, 36, 56);
    ComposedEnding(conductor, {&arp, &keys, &pad, &bass, &drums}, form, bar, Q);
    Save(folder, "08-circuit.mid", conductor, {&arp, &keys, &pad, &bass, &drums});
}

// A lullaby in A-flat, 3/4 at 76: a celesta over a harp's rocking arpeggios and
// hushed strings. The middle drifts to D-flat, where the strings take the tune
// and the harp plays only the beats.
void Lullaby(const std::string& folder) {
    const int bar = 3 * Q, e = Q / 2;
    const Section a{'A', {56, composer::kMajor}, Bars({0, 3, 0, 4, 5, 1, 4, 0})};
    const Section b{'B', {61, composer::kMajor}, Bars({0, 5, 3, 4, 0, 5, 1, 4})};
    const auto form = Form(a, b, "AABAABBA");
    const Dynamics dyn(form, bar, 2);
    Conductor conductor("Lullaby", 76, 3, 4);
    Player celesta("Celesta", 0, 8, 105, 80, 75, {8, 10, 8, Q}, 91, dyn, kTrim.lullaby);
    Player harp("Harp", 1, 46, 110, 70, 50, {8, 6, 0, Q}, 92, dyn, kTrim.lullaby);
    Player strings("Strings", 2, 49, 90, 80, 35, {2, 10, 10, Q}, 93, dyn, kTrim.lullaby);
    const composer::MelodyStyle rocking{{{2 * Q, Q}, {Q, Q, Q}, {Q + e, e, Q}, {3 * Q}}, {3 * Q}, 7, 14, Q, 70};
    const composer::MelodyStyle sung{{{2 * Q, Q}, {3 * Q}, {Q, 2 * Q}}, {3 * Q}, 4, 11, Q, 78};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(9103 + static_cast<std::uint32_t>(sec.name));
        if (sec.Contrast()) {
            const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, sung);
            strings.Play(line);
            for (const composer::Note& n : line) strings.Swell(n.tick, n.tick + n.length, 70, 120);
        } else {
            celesta.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, rocking));
        }
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 51, 70, 3);
            const int bass = sec.scale.Pitch(chord.root) - 12;
            if (sec.Contrast()) {
                harp.Note(t, 3 * Q, bass, 64);
                harp.Chord(t + Q, 2 * Q, voicing, 50, 20);
                continue;
            }
            const int figure[] = {bass, voicing[0], voicing[1], voicing[2], voicing[1], voicing[0]};
            for (int i = 0; i < 6; ++i) harp.Note(t + i * e, i == 0 ? bar : 2 * e, figure[i], i == 0 ? 66 : 52);
            if (sec.firstBar >= 8 && k % 2 == 0) {
                strings.Chord(t, 2 * bar - 20, voicing, 48);
                strings.Swell(t, t + 2 * bar, 55, 100);
            }
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(harp, home, end, 2 * bar, 44, 72, 60, 60);
    FinalChord(strings, home, end, 2 * bar, 51, 72, 48);
    celesta.Note(end + Q, 2 * bar - Q, home.tonic + 24, 60);
    ComposedEnding(conductor, {&celesta, &harp, &strings}, form, bar, Q);
    Save(folder, "09-lullaby.mid", conductor, {&celesta, &harp, &strings});
}

// A slow procession in B-flat, 84 per minute: horns sing over brass chords, a
// tuba and soft timpani. The middle turns to G minor: the brass gives way to
// strings, and a woodwind choir carries the tune.
void Procession(const std::string& folder) {
    const int bar = 4 * Q;
    const Section a{'A', {58, composer::kMajor}, Bars({0, 3, 4, 0, 5, 1, 4, 0})};
    const Section b{'B', {55, composer::kHarmonicMinor}, Bars({0, 3, 4, 0, 5, 3, 4, 4})};
    const auto form = Form(a, b, "AABABA");
    const Dynamics dyn(form, bar, -5);
    Conductor conductor("Procession", 84, 4, 4);
    Player horns("Horns", 0, 60, 100, 60, 70, {8, 8, 6, Q}, 101, dyn, kTrim.procession);
    Player brass("Brass", 1, 61, 70, 60, 50, {6, 6, 2, Q}, 102, dyn, kTrim.procession);
    Player tuba("Tuba", 2, 58, 95, 40, 64, {8, 4, 0, Q}, 103, dyn, kTrim.procession);
    Player timpani("Timpani", 3, 47, 85, 60, 64, {12, 3, 0, Q}, 104, dyn, kTrim.procession);
    Player winds("Woodwinds", 4, 68, 95, 60, 40, {6, 10, 10, Q}, 105, dyn, kTrim.procession);
    Player strings("Strings", 5, 48, 85, 70, 30, {2, 8, 8, Q}, 106, dyn, kTrim.procession);
    const composer::MelodyStyle stately{{{2 * Q, Q, Q}, {Q + Q / 2, Q / 2, 2 * Q}, {Q, Q, 2 * Q}, {4 * Q}},
                                        {4 * Q}, 2, 10, Q, 70};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(10301 + static_cast<std::uint32_t>(sec.name));
        const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, stately);
        Player& voice = sec.Contrast() ? winds : horns;
        voice.Play(line, sec.Contrast() ? 12 : 0);
        for (const composer::Note& n : line)
            if (n.length >= 2 * Q) voice.Swell(n.tick, n.tick + n.length, 80, 122);
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 50, 67, 3);
            const int root = sec.scale.Pitch(chord.root) - 24;
            tuba.Note(t, 2 * Q - 40, root, 70);
            tuba.Note(t + 2 * Q, 2 * Q - 40, sec.scale.Pitch(chord.root + 4) - 24 - (root + 7 > 46 ? 12 : 0), 62);
            if (sec.Contrast()) {
                strings.Chord(t, bar - 20, voicing, 48 + 4 * (k % 4));  // growing through each phrase
                strings.Swell(t, t + bar, 60, 110);
                continue;
            }
            brass.Chord(t, bar - 30, voicing, 54);
            timpani.Note(t, Q, sec.scale.tonic - 24 + (chord.root == 4 ? 7 : 0), 62);
            if (k % 2 == 1) timpani.Note(t + 3 * Q + Q / 2, Q / 2, sec.scale.tonic - 24, 46);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(brass, home, end, 2 * bar, 50, 70, 56);
    horns.Note(end, 2 * bar, home.tonic + 7, 62);
    tuba.Note(end, 2 * bar, home.tonic - 24, 66);
    for (int i = 0; i < 8; ++i) timpani.Note(end + i * Q / 4, Q / 4, home.tonic - 24, 40 + 2 * i);  // a roll
    ComposedEnding(conductor, {&horns, &brass, &tuba, &timpani, &winds, &strings}, form, bar, Q);
    Save(folder, "10-procession.mid", conductor, {&horns, &brass, &tuba, &timpani, &winds, &strings});
}

// Rain in five: a steel guitar's ostinato in D minor, 5/4 at 96, a kalimba
// tune, a bowed bass and a shaker. The middle brightens to D major; the
// ostinato thins to the strong beats and a flute takes over the tune.
void Rain(const std::string& folder) {
    const int bar = 5 * Q, e = Q / 2;
    const Section a{'A', {62, composer::kMinor}, Bars({0, 5, 3, 4, 0, 5, 6, 4})};
    const Section b{'B', {62, composer::kMajor}, Bars({3, 4, 0, 5, 3, 4, 1, 4})};
    const auto form = Form(a, b, "AABABA");
    const Dynamics dyn(form, bar, 2);
    Conductor conductor("Rain", 96, 5, 4);
    const Feel five{10, 6, 0, Q};
    Player guitar("Steel guitar", 0, 25, 95, 50, 45, five, 111, dyn, kTrim.rain);
    Player kalimba("Kalimba", 1, 108, 110, 60, 80, {8, 8, 4, Q}, 112, dyn, kTrim.rain);
    Player bass("Bowed bass", 2, 43, 90, 60, 64, {4, 6, 6, Q}, 113, dyn, kTrim.rain);
    Player shaker("Shaker", midi::kDrumChannel, 0, 60, 40, 64, {10, 3, 0, Q}, 114, dyn, kTrim.rain);
    Player flute("Flute", 3, 73, 85, 70, 60, {6, 10, 10, Q}, 115, dyn, kTrim.rain);
    // Five beats grouped three and two, the tune following the groups.
    const composer::MelodyStyle drops{{{Q, Q, Q, Q, Q}, {3 * Q, 2 * Q}, {Q + e, e, Q, 2 * Q}, {e, e, 2 * Q, Q, Q}},
                                      {3 * Q, 2 * Q}, 7, 14, Q, 70};
    const composer::MelodyStyle sung{{{3 * Q, 2 * Q}, {2 * Q, Q, 2 * Q}, {5 * Q}}, {5 * Q}, 7, 14, Q, 74};
    std::vector<int> voicing;
    for (const Section& sec : form) {
        const int at = sec.firstBar * bar;
        composer::Rng rng(11311 + static_cast<std::uint32_t>(sec.name));
        if (sec.Contrast()) {
            const auto line = composer::Melody(rng, sec.scale, sec.chords, bar, at, sung);
            flute.Play(line);
            for (const composer::Note& n : line)
                if (n.length >= 2 * Q) flute.Swell(n.tick, n.tick + n.length, 80, 120);
        } else if (sec.firstBar > 0) {  // the first section is the rain alone
            kalimba.Play(composer::Melody(rng, sec.scale, sec.chords, bar, at, drops));
        }
        for (int k = 0; k < sec.Bars(); ++k) {
            const int t = at + k * bar;
            const Chord& chord = sec.chords[static_cast<size_t>(k)];
            voicing = composer::Voicing(sec.scale, chord, voicing, 50, 69, 3);
            const int root = sec.scale.Pitch(chord.root) - 12;
            bass.Note(t, bar - 30, root - 12, 62);
            bass.Swell(t, t + bar, 70, 112);
            if (sec.Contrast()) {
                guitar.Chord(t, 3 * Q, voicing, 56, 15);
                guitar.Chord(t + 3 * Q, 2 * Q, voicing, 50, 15);
                continue;
            }
            static const int kOstinato[] = {0, 1, 2, 3, 2, 0, 1, 3, 2, 1};
            for (int i = 0; i < 10; ++i) {
                const int key = kOstinato[i] == 0 ? root : voicing[static_cast<size_t>(kOstinato[i] - 1)];
                guitar.Note(t + i * e, 2 * e, key, i == 0 || i == 6 ? 64 : 50);
            }
            for (int i = 0; i < 10; ++i) shaker.Note(t + i * e, e, 82, i == 0 || i == 6 ? 46 : 32);
        }
    }
    const int end = TotalBars(form) * bar;
    const Scale home = a.scale;
    FinalChord(guitar, home, end, 2 * bar, 50, 69, 58, 35);
    bass.Note(end, 2 * bar, home.tonic - 24, 60);
    kalimba.Note(end + Q, 2 * bar - Q, home.tonic + 12, 60);
    ComposedEnding(conductor, {&guitar, &kalimba, &bass, &shaker, &flute}, form, bar, Q);
    Save(folder, "11-rain.mid", conductor, {&guitar, &kalimba, &bass, &shaker, &flute});
}

}  // namespace

void WriteMusic(const std::string& folder) {
    Drift(folder);
    Waltz(folder);
    Tide(folder);
    Canon(folder);
    Meadow(folder);
    Lantern(folder);
    Clockwork(folder);
    Circuit(folder);
    Lullaby(folder);
    Procession(folder);
    Rain(folder);
}
