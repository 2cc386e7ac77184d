// The background pieces: five calm pieces composed by a seeded generator, each with
// melody, harmony and rhythm, long enough (2-3 minutes) that they do not nag a thinking player.
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

// Chords of one section, one per bar, from degree numbers (0 = tonic); 7th chords by flag.
std::vector<Chord> Bars(std::initializer_list<int> roots, int size = 3) {
    std::vector<Chord> bars;
    for (int r : roots) bars.push_back({r, size});
    return bars;
}

std::vector<Chord> Form(const std::vector<std::vector<Chord>>& sections, const std::string& order) {
    std::vector<Chord> all;
    for (char c : order) all.insert(all.end(), sections[c - 'A'].begin(), sections[c - 'A'].end());
    return all;
}

Track Conductor(const std::string& title, double tempo, int numerator, int denominator) {
    Track t(title);
    t.Tempo(0, tempo);
    t.TimeSignature(0, numerator, denominator);
    return t;
}

Track Instrument(const std::string& name, int channel, int program, int volume, int reverb, int pan) {
    Track t(name);
    if (channel != midi::kDrumChannel) t.Program(0, channel, program);
    t.Control(0, channel, 7, volume);
    t.Control(0, channel, 91, reverb);
    t.Control(0, channel, 10, pan);
    return t;
}

void Play(Track& t, int channel, const std::vector<Note>& notes, int transpose = 0) {
    for (const Note& n : notes) t.Note(n.tick, n.length, channel, n.key + transpose, n.velocity);
}

// The last chord, held over one more bar so the piece ends rather than stops.
void FinalChord(Track& t, int channel, const Scale& s, int tick, int length, int low, int high, int v) {
    for (int key : composer::Voicing(s, {0, 3}, {}, low, high, 4)) t.Note(tick, length, channel, key, v);
}

void Save(const std::string& folder, const char* name, const std::vector<Track>& tracks) {
    data_out::WriteBytes(folder + name, midi::EncodeFile(tracks));
}

// Gentle piano over sustained strings, D major, 72 per minute.
void Drift(const std::string& folder) {
    const Scale s{62, composer::kMajor};
    const int bar = 4 * Q;
    auto chords = Form({Bars({0, 5, 3, 4, 0, 5, 1, 4}), Bars({3, 4, 2, 5, 1, 4, 0, 0})}, "AABABA");
    composer::Rng rng(1201);
    composer::MelodyStyle style{{{Q, Q, 2 * Q}, {2 * Q, Q, Q}, {Q, Q / 2, Q / 2, Q, Q}, {3 * Q, Q}, {Q, Q, Q, Q}},
                                {4 * Q}, 5, 14, Q, 78};
    Track tune = Instrument("Piano melody", 0, 0, 120, 50, 70);
    Track hands = Instrument("Piano arpeggios", 1, 0, 105, 50, 50);
    Track strings = Instrument("Strings", 2, 49, 95, 70, 40);
    Play(tune, 0, composer::Melody(rng, s, chords, bar, 0, style));
    std::vector<int> voicing;
    static const int kFigure[] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (size_t b = 0; b < chords.size(); ++b) {
        const int at = static_cast<int>(b) * bar;
        voicing = composer::Voicing(s, chords[b], voicing, 50, 72, 3);
        const int bass = s.Pitch(chords[b].root) - 12;
        for (int i = 0; i < 8; ++i) {
            int key = kFigure[i] == 0 ? bass : voicing[static_cast<size_t>(kFigure[i] - 1)];
            hands.Note(at + i * Q / 2, Q / 2 + (i == 0 ? Q : 0), 1, key, i == 0 ? 72 : 60);
        }
        if (b >= 8)  // the strings join after the first statement
            for (int key : voicing) strings.Note(at, bar - 10, 2, key, 55);
    }
    const int end = static_cast<int>(chords.size()) * bar;
    FinalChord(hands, 1, s, end, 2 * bar, 50, 74, 60);
    FinalChord(strings, 2, s, end, 2 * bar, 50, 74, 45);
    Save(folder, "01-drift.mid", {Conductor("Drift", 72, 4, 4), tune, hands, strings});
}

// A light jazz waltz in F with vibraphone, piano comping, walking bass and brushes.
void Waltz(const std::string& folder) {
    const Scale s{65, composer::kMajor};
    const int bar = 3 * Q;
    auto A = Bars({0, 5, 1, 4, 2, 5, 1, 4}, 4), B = Bars({3, 3, 2, 5, 1, 4, 0, 0}, 4);
    Track tune = Instrument("Vibraphone", 0, 11, 95, 60, 80);
    Track comp = Instrument("Piano", 1, 0, 75, 50, 50);
    Track bass = Instrument("Bass", 2, 32, 100, 30, 64);
    Track drums = Instrument("Brushes", midi::kDrumChannel, 0, 70, 40, 64);
    composer::MelodyStyle style{{{Q, Q, Q}, {2 * Q, Q}, {Q / 2, Q / 2, Q, Q}, {Q, Q / 2, Q / 2, Q}, {Q, 2 * Q}},
                                {3 * Q}, 6, 13, Q, 70};
    std::vector<Chord> all;
    for (int chorus = 0; chorus < 4; ++chorus) {
        auto chords = Form({A, B}, "AABA");
        composer::Rng rng(2300 + chorus);  // each chorus its own tune over the same changes
        const int at = static_cast<int>(all.size()) * bar;
        Play(tune, 0, composer::Melody(rng, s, chords, bar, at, style), chorus == 2 ? -12 : 0);  // the third chorus sings an octave lower
        all.insert(all.end(), chords.begin(), chords.end());
    }
    std::vector<int> voicing;
    for (size_t b = 0; b < all.size(); ++b) {
        const int at = static_cast<int>(b) * bar;
        voicing = composer::Voicing(s, all[b], voicing, 53, 72, 4);
        for (int key : voicing) {
            comp.Note(at + Q, Q / 2, 1, key, 48);
            if (b % 2 == 1) comp.Note(at + 2 * Q + Q / 3, Q / 3, 1, key, 40);
        }
        const int root = s.Pitch(all[b].root) - 24, next = s.Pitch(all[(b + 1) % all.size()].root) - 24;
        bass.Note(at, Q - 20, 2, root, 80);
        bass.Note(at + Q, Q - 20, 2, root + 7 > 52 ? root - 5 : root + 7, 68);
        bass.Note(at + 2 * Q, Q - 20, 2, next + (next > root ? -1 : 1), 66);  // lean into the next root
        for (int beat = 0; beat < 3; ++beat) drums.Note(at + beat * Q, Q / 2, midi::kDrumChannel, 51, beat == 0 ? 58 : 46);
        drums.Note(at + 2 * Q + 2 * Q / 3, Q / 3, midi::kDrumChannel, 51, 38);  // the swung skip
        drums.Note(at + Q, Q / 2, midi::kDrumChannel, 44, 40);
        drums.Note(at + 2 * Q, Q / 2, midi::kDrumChannel, 44, 40);
        if (b % 4 == 0) drums.Note(at, Q / 2, midi::kDrumChannel, 36, 50);
    }
    const int end = static_cast<int>(all.size()) * bar;
    FinalChord(comp, 1, s, end, 2 * bar, 53, 74, 55);
    bass.Note(end, 2 * bar, 2, s.tonic - 24, 80);
    drums.Note(end, Q, midi::kDrumChannel, 51, 55);
    Save(folder, "02-waltz.mid", {Conductor("Waltz", 144, 3, 4), tune, comp, bass, drums});
}

// Slow pads in E minor with a sparse music-box line, 60 per minute, no drums.
void Tide(const std::string& folder) {
    const Scale s{52, composer::kMinor};
    const int bar = 4 * Q;
    auto A = Bars({0, 0, 5, 5, 2, 2, 6, 6}, 4), B = Bars({3, 3, 5, 5, 0, 0, 4, 4}, 4);
    auto chords = Form({A, B}, "ABAAB");
    Track bells = Instrument("Music box", 0, 10, 80, 90, 80);
    Track pad = Instrument("Warm pad", 1, 89, 105, 90, 50);
    Track bass = Instrument("Fretless", 2, 35, 80, 60, 64);
    composer::Rng rng(3107);
    composer::MelodyStyle style{{{2 * Q, 2 * Q}, {3 * Q, Q}, {Q, Q, 2 * Q}, {4 * Q}}, {4 * Q}, 7, 16, Q, 58};
    auto tune = composer::Melody(rng, s, chords, bar, 0, style);
    for (size_t i = 0; i < tune.size(); ++i)
        if ((tune[i].tick / bar) % 4 != 3 || i % 3 != 1) bells.Note(tune[i].tick, tune[i].length * 2, 0, tune[i].key + 12, tune[i].velocity);
    std::vector<int> voicing;
    for (size_t b = 0; b < chords.size(); b += 2) {
        const int at = static_cast<int>(b) * bar;
        voicing = composer::Voicing(s, chords[b], voicing, 52, 74, 4);
        for (int key : voicing) pad.Note(at, 2 * bar - 20, 1, key, 52);
        bass.Note(at, 2 * bar - 40, 2, s.Pitch(chords[b].root) - 12, 60);
    }
    const int end = static_cast<int>(chords.size()) * bar;
    FinalChord(pad, 1, s, end, 2 * bar, 52, 74, 50);
    bass.Note(end, 2 * bar, 2, s.tonic - 12, 60);
    Save(folder, "03-tide.mid", {Conductor("Tide", 60, 4, 4), bells, pad, bass});
}

// Two harpsichord voices in G over a walking bass; strings double the bass later.
void Canon(const std::string& folder) {
    const Scale s{55, composer::kMajor};
    const int bar = 4 * Q;
    auto A = Bars({0, 3, 6, 2, 5, 1, 4, 0}), B = Bars({4, 1, 4, 0, 5, 2, 1, 4});
    auto chords = Form({A, B}, "AABBAB");
    Track upper = Instrument("Harpsichord right", 0, 6, 115, 40, 75);
    Track lower = Instrument("Harpsichord left", 1, 6, 100, 40, 55);
    Track cello = Instrument("Cello", 2, 42, 70, 50, 40);
    composer::Rng rng(4409);
    composer::MelodyStyle style{{{Q / 2, Q / 2, Q / 2, Q / 2, Q, Q},
                                 {Q / 4, Q / 4, Q / 4, Q / 4, Q / 2, Q / 2, Q / 2, Q / 2, Q, Q},
                                 {Q, Q / 2, Q / 2, Q, Q / 2, Q / 2},
                                 {Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2, Q / 2}},
                                {Q, Q, 2 * Q}, 7, 16, Q, 72};
    Play(upper, 0, composer::Melody(rng, s, chords, bar, 0, style));
    for (size_t b = 0; b < chords.size(); ++b) {
        const int at = static_cast<int>(b) * bar;
        const int root = s.Pitch(chords[b].root) - 12;
        const int third = s.Pitch(chords[b].root + 2) - 12, fifth = s.Pitch(chords[b].root + 4) - 12;
        const int walk[] = {root, root + 12, third, fifth, root + 12, fifth, third, root};
        for (int i = 0; i < 8; ++i) lower.Note(at + i * Q / 2, Q / 2 - 20, 1, walk[i], i % 2 == 0 ? 70 : 58);
        if (b >= 16) cello.Note(at, 2 * Q - 30, 2, root, 55), cello.Note(at + 2 * Q, 2 * Q - 30, 2, fifth - 12, 50);
    }
    const int end = static_cast<int>(chords.size()) * bar;
    FinalChord(lower, 1, s, end, bar, 43, 67, 70);
    cello.Note(end, bar, 2, s.tonic - 12, 55);
    Save(folder, "04-canon.mid", {Conductor("Canon", 92, 4, 4), upper, lower, cello});
}

// A folk tune in D dorian, 6/8: flute and fiddle over a picked guitar and a soft drum.
void Meadow(const std::string& folder) {
    const Scale s{62, composer::kDorian};
    const int eighth = Q / 2, bar = 6 * eighth;
    auto A = Bars({0, 6, 0, 6, 0, 3, 6, 0}), B = Bars({2, 3, 6, 0, 2, 3, 4, 0});
    auto chords = Form({A, B}, "AABBAABBA");
    Track flute = Instrument("Flute", 0, 73, 95, 60, 75);
    Track guitar = Instrument("Guitar", 1, 24, 90, 45, 50);
    Track fiddle = Instrument("Fiddle", 2, 40, 70, 55, 35);
    Track drum = Instrument("Drum", midi::kDrumChannel, 0, 70, 40, 64);
    composer::Rng rng(5503);
    composer::MelodyStyle style{{{3 * eighth, 3 * eighth}, {2 * eighth, eighth, 2 * eighth, eighth},
                                 {eighth, eighth, eighth, 3 * eighth}, {2 * eighth, eighth, eighth, eighth, eighth}},
                                {6 * eighth}, 7, 14, 3 * eighth, 70};
    auto tune = composer::Melody(rng, s, chords, bar, 0, style);
    Play(flute, 0, tune);
    for (const Note& n : tune)  // the fiddle plays along in the second half, an octave lower
        if (n.tick >= 32 * bar) fiddle.Note(n.tick, n.length, 2, n.key - 12, n.velocity - 12);
    std::vector<int> voicing;
    for (size_t b = 0; b < chords.size(); ++b) {
        const int at = static_cast<int>(b) * bar;
        voicing = composer::Voicing(s, chords[b], voicing, 55, 69, 3);
        const int root = s.Pitch(chords[b].root) - 12;
        guitar.Note(at, 3 * eighth, 1, root, 72);
        guitar.Note(at + 3 * eighth, 3 * eighth, 1, root + 7 > 57 ? root - 5 : root + 7, 64);
        for (int i : {1, 2, 4, 5})
            for (int key : voicing) guitar.Note(at + i * eighth, eighth, 1, key, i == 1 || i == 4 ? 52 : 44);
        drum.Note(at, eighth, midi::kDrumChannel, 45, 60);
        drum.Note(at + 3 * eighth, eighth, midi::kDrumChannel, 45, 48);
        if (b >= 16 && b % 2 == 1) drum.Note(at + 3 * eighth, eighth, midi::kDrumChannel, 54, 36);
    }
    const int end = static_cast<int>(chords.size()) * bar;
    FinalChord(guitar, 1, s, end, bar, 50, 69, 60);
    flute.Note(end, bar, 0, s.tonic + 12, 65);
    Save(folder, "05-meadow.mid", {Conductor("Meadow", 120, 6, 8), flute, guitar, fiddle, drum});
}

}  // namespace

void WriteMusic(const std::string& folder) {
    Drift(folder);
    Waltz(folder);
    Tide(folder);
    Canon(folder);
    Meadow(folder);
}
