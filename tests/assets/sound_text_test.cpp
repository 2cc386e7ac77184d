// Checks the generated fonts, effects, music and help text against the rules the game
// reads them by, and against the screen places where the text must fit.
#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/atlas.h"
#include "support/sound_measure.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string DataFolder() {
    const char* env = std::getenv("TORVANEX_DATA");
    std::string folder = env != nullptr ? env : ".";
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

Bytes ReadFile(const std::string& name) {
    std::ifstream in(DataFolder() + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), {});
}

std::uint32_t Le(const Bytes& b, size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

std::uint32_t Be(const Bytes& b, size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

// ---- fonts ----

struct Font {
    int rowBytes = 0, height = 0, firstCode = 0;
    Bytes bytes;
    const std::uint8_t* Glyph(int code) const {
        return bytes.data() + 5 + static_cast<size_t>((code - firstCode) * height * rowBytes);
    }
    bool Ink(int code, int x, int y) const { return (Glyph(code)[y * rowBytes + x / 8] & (0x80 >> (x % 8))) != 0; }
    // Rightmost ink column counted from 1, as the game counts it; 0 for a blank glyph.
    int InkWidth(int code) const {
        int ink = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 8 * rowBytes; ++x)
                if (Ink(code, x, y)) ink = std::max(ink, x + 1);
        return ink;
    }
    int FirstInkColumn(int code) const {
        int first = 8 * rowBytes;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 8 * rowBytes; ++x)
                if (Ink(code, x, y)) first = std::min(first, x);
        return first;
    }
    int LowestInkRow(int code) const {
        for (int y = height - 1; y >= 0; --y)
            for (int x = 0; x < 8 * rowBytes; ++x)
                if (Ink(code, x, y)) return y;
        return -1;
    }
    // The width the game's MeasureString gives.
    int Measure(const std::string& text, int spacing) const {
        int total = 0;
        for (unsigned char c : text) {
            int ink = InkWidth(c);
            total += ink > 0 ? ink + spacing : 4 * rowBytes + 1;
            if (c != ' ') total += 1;
        }
        return total;
    }
};

Font LoadFont(const std::string& name) {
    Font f;
    f.bytes = ReadFile(name);
    if (f.bytes.size() >= 5) {
        f.rowBytes = static_cast<int>(Le(f.bytes, 0, 2));
        f.height = static_cast<int>(Le(f.bytes, 2, 2));
        f.firstCode = f.bytes[4];
    }
    return f;
}

struct FontLimits {
    const char* name;
    int maxRowBytes, maxHeight;
};

class FontFile : public ::testing::TestWithParam<FontLimits> {};

TEST_P(FontFile, HasEveryCodeFrom32To255InCellsThatFitTheScreens) {
    const FontLimits& limits = GetParam();
    Font font = LoadFont(limits.name);
    ASSERT_GE(font.bytes.size(), 5u);
    EXPECT_EQ(font.firstCode, 32);
    ASSERT_GE(font.rowBytes, 1);
    EXPECT_LE(font.rowBytes, limits.maxRowBytes);
    EXPECT_GE(font.height, 8);
    EXPECT_LE(font.height, limits.maxHeight);
    EXPECT_EQ(font.bytes.size(), 5u + 224u * static_cast<size_t>(font.rowBytes * font.height));
}

TEST_P(FontFile, SpaceIsBlankAndPrintableGlyphsAreLeftAlignedWithInk) {
    Font font = LoadFont(GetParam().name);
    ASSERT_EQ(font.bytes.size(), 5u + 224u * static_cast<size_t>(font.rowBytes * font.height));
    EXPECT_EQ(font.InkWidth(' '), 0);
    EXPECT_EQ(font.Measure(" ", 1), 4 * font.rowBytes + 1);
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(font.InkWidth(undefined), 0) << undefined;
    for (int code = 33; code <= 255; ++code) {
        if (code == 0x7F || code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D ||
            code == 0xA0 || code == 0xAD)
            continue;
        EXPECT_GT(font.InkWidth(code), 0) << "blank glyph for code " << code;
        EXPECT_LE(font.FirstInkColumn(code), 1) << "glyph not left-aligned: code " << code;
    }
}

TEST_P(FontFile, LettersShareOneBaseline) {
    Font font = LoadFont(GetParam().name);
    ASSERT_GT(font.height, 0);
    const int baseline = font.LowestInkRow('H');
    for (int code : {'E', 'x', 'm', '0', '7', 'A', 'z'}) EXPECT_EQ(font.LowestInkRow(code), baseline) << char(code);
    EXPECT_GT(font.LowestInkRow('g'), baseline);  // descenders go below it
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontFile,
                         ::testing::Values(FontLimits{"arial8", 1, 12}, FontLimits{"times16", 2, 21}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SmallFont, NumbersAndNoticesFitTheTopScoreScreen) {
    Font font = LoadFont("arial8");
    ASSERT_GT(font.height, 0);
    for (int digit = '0'; digit <= '9'; ++digit) EXPECT_LE(font.InkWidth(digit), 6) << char(digit);
    // The last score column starts at x 758; six digits and their shadow must end by x 799.
    EXPECT_LE(758 + font.Measure("888888", 0), 800);
    // The next-mode box and the back-to-the-game line of the top-score screen.
    constexpr ScreenArea box = AreaOf("rec_next_mode_box"), back = AreaOf("rec_back_line_area");
    EXPECT_LE(688 + font.Measure("Click to view", 0), box.x + box.w);
    EXPECT_LE(679 + font.Measure("next game scores", 0), box.x + box.w);
    EXPECT_LE(260 + font.Measure("Click here or press Space key to back to the game.", 1), back.x + back.w);
}

TEST(LargeFont, HeadingsAndNameEntryFitTheirBoxes) {
    Font font = LoadFont("times16");
    ASSERT_GT(font.height, 0);
    EXPECT_LE(100 + font.height + 1, Atlas("panel_head").destY) << "Top Scores at y 100 ends above the panel head";
    constexpr ScreenArea entry = AreaOf("name_entry_box"), field = AreaOf("name_text_field");
    EXPECT_LE(270 + font.Measure("Enter your name (25 chars):", 0), entry.x + entry.w);
    for (int code = 33; code <= 255; ++code) EXPECT_LE(font.InkWidth(code), 16) << code;  // 17 x 22 cell
    // Narrow names must reach the 25-character limit before the field's right end.
    EXPECT_LT(field.x + font.Measure(std::string(25, 'n'), 0), field.x + field.w);
}

// ---- wave effects ----

struct Wave {
    int channels = 0, rate = 0, byteRate = 0, align = 0, bits = 0;
    size_t dataAt = 0, dataSize = 0;
};

// Reads a wave file the way the game does: format fields at 22..35, "data" searched from 34.
bool ParseWave(const Bytes& b, Wave& w) {
    if (b.size() < 44) return false;
    w.channels = static_cast<int>(Le(b, 22, 2));
    w.rate = static_cast<int>(Le(b, 24, 4));
    w.byteRate = static_cast<int>(Le(b, 28, 4));
    w.align = static_cast<int>(Le(b, 32, 2));
    w.bits = static_cast<int>(Le(b, 34, 2));
    for (size_t m = 34; m + 8 <= b.size(); ++m)
        if (b[m] == 'd' && b[m + 1] == 'a' && b[m + 2] == 't' && b[m + 3] == 'a') {
            w.dataAt = m;
            w.dataSize = Le(b, m + 4, 4);
            return true;
        }
    return false;
}

class EffectFile : public ::testing::TestWithParam<int> {};

TEST_P(EffectFile, IsShortUnclippedPcmThatStartsAndEndsInSilence) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.wav", GetParam());
    Bytes b = ReadFile(name);
    Wave w;
    ASSERT_TRUE(ParseWave(b, w)) << name;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(w.dataAt, 36u);
    EXPECT_EQ(w.dataSize + 44, b.size());
    ASSERT_EQ(w.bits, 16);
    ASSERT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_EQ(w.align, w.channels * 2);
    EXPECT_EQ(w.byteRate, w.rate * w.align);
    ASSERT_GT(w.rate, 0);
    EXPECT_LE(static_cast<double>(w.dataSize) / w.byteRate, 1.0);

    std::vector<int> samples;
    for (size_t at = 44; at + 1 < b.size(); at += 2) samples.push_back(static_cast<std::int16_t>(Le(b, at, 2)));
    ASSERT_GT(samples.size(), 100u);
    int peak = 0;
    for (int s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_LE(peak, 0.9 * 32768) << "too close to clipping";
    EXPECT_GE(peak, 0.1 * 32768) << "nearly silent";
    EXPECT_LE(std::abs(samples.front()), 300);
    EXPECT_LE(std::abs(samples.back()), 300);
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile, ::testing::Range(1, 14));

sound_measure::Samples EffectSamples(int number, int& rate) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.wav", number);
    const Bytes b = ReadFile(name);
    Wave w;
    sound_measure::Samples x;
    if (!ParseWave(b, w) || w.bits != 16 || w.channels != 1) return x;
    rate = w.rate;
    for (size_t at = w.dataAt + 8; at + 1 < b.size(); at += 2) x.push_back(static_cast<std::int16_t>(Le(b, at, 2)) / 32768.0);
    return x;
}

// The rotate click is the sound heard most and must not drown under the music
// (about -24 dBFS as played); laptop speakers give little below 500 Hz, so every
// effect needs a tenth of its energy between 0.5 and 2 kHz to be heard on them.
TEST(Effects, TheRotateClickHoldsItsOwnAndEveryEffectCarriesOnSmallSpeakers) {
    std::vector<double> loudness(14);
    for (int n = 1; n <= 13; ++n) {
        int rate = 0;
        const sound_measure::Samples x = EffectSamples(n, rate);
        ASSERT_GT(x.size(), 100u) << "effect " << n << " is not 16-bit mono";
        loudness[static_cast<size_t>(n)] = sound_measure::LoudnessDb(x, rate);
        EXPECT_GE(sound_measure::BandShare(x, rate, 500, 2000), 0.10) << "effect " << n;
    }
    std::vector<double> sorted(loudness.begin() + 1, loudness.end());
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[6];
    EXPECT_NEAR(loudness[3], median, 6.0) << "rotate click against the median effect";
    EXPECT_GE(loudness[3], -18.0) << "the click must stand above the music";
}

// ---- music ----

struct MidiSummary {
    bool valid = false;
    double seconds = 0;
    std::map<int, int> notesPerChannel;
    std::string error;
    struct Event {
        long tick;
        int channel, a, b;  // a note-on's key and velocity, or a controller and its value
    };
    std::vector<Event> noteOns, noteOffs, controls;
    std::map<long, std::uint32_t> tempo;  // microseconds a quarter from each tick on
    int division = 0;
    // Seconds from the start to tick, through the tempo changes before it.
    double SecondsAt(long tick) const {
        double at = 0;
        long previous = 0;
        std::uint32_t micros = 500000;
        for (const auto& [t, m] : tempo) {
            if (t > tick) break;
            at += static_cast<double>(t - previous) * micros / 1e6 / division;
            previous = t;
            micros = m;
        }
        return at + static_cast<double>(tick - previous) * micros / 1e6 / division;
    }
    std::uint32_t TempoAt(long tick) const { return std::prev(tempo.upper_bound(tick))->second; }
};

MidiSummary ParseMidi(const Bytes& b) {
    MidiSummary out;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Be(b, 4, 4) != 6) {
        out.error = "no MThd header";
        return out;
    }
    const std::uint32_t format = Be(b, 8, 2), tracks = Be(b, 10, 2), division = Be(b, 12, 2);
    if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000) != 0) {
        out.error = "unsupported header";
        return out;
    }
    std::map<long, std::uint32_t> tempo{{0, 500000}};
    long lastTick = 0;
    size_t at = 14;
    for (std::uint32_t t = 0; t < tracks; ++t) {
        if (at + 8 > b.size() || std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) != "MTrk") {
            out.error = "missing track chunk";
            return out;
        }
        const size_t end = at + 8 + Be(b, at + 4, 4);
        if (end > b.size()) {
            out.error = "track runs past the file";
            return out;
        }
        at += 8;
        long tick = 0;
        int status = 0;
        bool ended = false;
        auto varLen = [&](std::uint32_t& value) {
            value = 0;
            do value = value << 7 | (b[at] & 0x7F);
            while ((b[at++] & 0x80) != 0 && at < end);
        };
        while (at < end && !ended) {
            std::uint32_t delta = 0;
            varLen(delta);
            tick += delta;
            if (at < end && (b[at] & 0x80) != 0) status = b[at++];
            size_t needed = 0;
            std::uint32_t length = 0;
            if (status == 0xFF) {
                const int type = b[at++];
                varLen(length);
                if (type == 0x51 && length == 3 && at + 3 <= end) tempo[tick] = Be(b, at, 3);
                if (type == 0x2F) ended = true;
                needed = length;
            } else if (status == 0xF0 || status == 0xF7) {
                varLen(length);
                needed = length;
            } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
                needed = 1;
            } else if (status >= 0x80) {
                needed = 2;
                const int kind = status & 0xF0, channel = status & 0x0F;
                if (at + 2 <= end) {
                    const MidiSummary::Event event{tick, channel, b[at], b[at + 1]};
                    if (kind == 0x90 && b[at + 1] > 0) {
                        ++out.notesPerChannel[channel];
                        out.noteOns.push_back(event);
                    } else if (kind == 0x80 || kind == 0x90) {
                        out.noteOffs.push_back(event);
                    } else if (kind == 0xB0) {
                        out.controls.push_back(event);
                    }
                }
            } else {
                out.error = "data byte without a status";
                return out;
            }
            if (at + needed > end) {
                out.error = "event runs past its track";
                return out;
            }
            at += needed;
            lastTick = std::max(lastTick, tick);
        }
        if (!ended || at != end) {
            out.error = "track without a proper end-of-track";
            return out;
        }
    }
    long previousTick = 0;
    std::uint32_t previousTempo = 500000;
    for (const auto& [tick, micros] : tempo) {
        if (tick > lastTick) break;
        out.seconds += static_cast<double>(tick - previousTick) * previousTempo / 1e6 / division;
        previousTick = tick;
        previousTempo = micros;
    }
    out.seconds += static_cast<double>(lastTick - previousTick) * previousTempo / 1e6 / division;
    out.tempo = tempo;
    out.division = static_cast<int>(division);
    for (auto* events : {&out.noteOns, &out.noteOffs, &out.controls})
        std::stable_sort(events->begin(), events->end(), [](const auto& x, const auto& y) { return x.tick < y.tick; });
    out.valid = true;
    return out;
}

std::vector<std::string> MusicFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder()))
        if (entry.path().extension() == ".mid") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Music, EightPiecesOrMoreWithNamesTheGameKeepsWhole) {
    auto names = MusicFiles();
    EXPECT_GE(names.size(), 8u);
    EXPECT_LE(names.size(), 50u);
    for (const auto& name : names) EXPECT_LE(name.size(), 30u) << name;
}

TEST(Music, EveryPieceIsValidAndLastsOneAndAHalfToFourMinutes) {
    bool someDrums = false;
    for (const auto& name : MusicFiles()) {
        MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_TRUE(piece.valid) << name << ": " << piece.error;
        EXPECT_GE(piece.seconds, 90.0) << name;
        EXPECT_LE(piece.seconds, 240.0) << name;
        EXPECT_GE(piece.notesPerChannel.size(), 3u) << name << " needs melody, harmony and rhythm parts";
        someDrums = someDrums || piece.notesPerChannel.count(9) > 0;
    }
    EXPECT_TRUE(someDrums) << "no piece uses the drum channel";
}

// Played, not typed: most notes sit off the sixteenth grid, each part's velocities
// span a real range, notes on the beat are leaned on more than those between
// beats, and held parts swell (expression rises and falls again, many times).
TEST(Music, EveryPieceIsPlayedWithAccentsLooseTimingAndSwells) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_TRUE(piece.valid) << name;
        const int grid = piece.division / 4, beat = piece.division;
        int offGrid = 0, pitched = 0;
        std::map<int, std::pair<int, int>> range;  // channel: lowest and highest velocity
        int softest = 127, loudest = 0;
        double onBeat = 0, between = 0;
        int onBeatCount = 0, betweenCount = 0;
        for (const auto& n : piece.noteOns) {
            auto [it, fresh] = range.try_emplace(n.channel, n.b, n.b);
            it->second = {std::min(it->second.first, n.b), std::max(it->second.second, n.b)};
            if (n.channel == 9) continue;
            softest = std::min(softest, n.b);
            loudest = std::max(loudest, n.b);
            ++pitched;
            if (n.tick % grid != 0) ++offGrid;
            const long fromBeat = std::min(n.tick % beat, beat - n.tick % beat);
            if (fromBeat <= grid / 6) onBeat += n.b, ++onBeatCount;
            else if (fromBeat >= grid) between += n.b, ++betweenCount;
        }
        EXPECT_GE(offGrid * 2, pitched) << name << ": notes on the grid";
        EXPECT_GE(loudest - softest, 40) << name;
        for (const auto& [channel, r] : range) EXPECT_GE(r.second - r.first, 15) << name << " channel " << channel;
        ASSERT_GT(onBeatCount * betweenCount, 0) << name;
        EXPECT_GT(onBeat / onBeatCount, between / betweenCount + 3) << name << ": no lean on the beat";
        int turns = 0;
        std::map<int, std::pair<int, int>> last;  // channel: last expression and its direction
        for (const auto& c : piece.controls) {
            if (c.a != 11) continue;
            auto [it, fresh] = last.try_emplace(c.channel, c.b, 0);
            const int direction = c.b > it->second.first ? 1 : c.b < it->second.first ? -1 : it->second.second;
            if (it->second.second == 1 && direction == -1) ++turns;
            it->second = {c.b, direction};
        }
        EXPECT_GE(turns, 4) << name << ": no swells";
    }
}

// The synthesiser ends every sounding note of a key at that key's note-off: a
// note struck again before the last one ended would be cut off at once.
TEST(Music, NoNoteStartsWhileItsKeyStillSounds) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_TRUE(piece.valid) << name;
        std::map<std::pair<int, int>, std::vector<std::pair<long, int>>> changes;  // channel and key: tick, +1 or -1
        for (const auto& n : piece.noteOns) changes[{n.channel, n.a}].push_back({n.tick, 1});
        for (const auto& n : piece.noteOffs) changes[{n.channel, n.a}].push_back({n.tick, -1});
        int restruck = 0;
        for (auto& [key, list] : changes) {
            std::sort(list.begin(), list.end());  // at one tick the note-off comes first, as in the file
            int sounding = 0;
            for (const auto& [tick, change] : list) {
                if (change > 0 && sounding > 0) ++restruck;
                sounding = std::max(0, sounding + change);
            }
        }
        EXPECT_EQ(restruck, 0) << name;
    }
}

// A piece is composed to its end: it slows, fades in every part, and its last
// chord rings for seconds instead of stopping dead.
TEST(Music, EveryPieceSlowsAndFadesIntoAHeldLastChord) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_TRUE(piece.valid) << name;
        ASSERT_FALSE(piece.noteOns.empty()) << name;
        const long lastOn = piece.noteOns.back().tick, lastOff = piece.noteOffs.back().tick;
        EXPECT_GT(piece.TempoAt(lastOn), piece.TempoAt(0) * 1.15) << name << ": no slowing at the end";
        EXPECT_GE(piece.SecondsAt(lastOff) - piece.SecondsAt(lastOn), 2.0) << name << ": the last chord stops dead";
        std::map<int, int> expression;  // channel: the last expression value
        for (const auto& c : piece.controls)
            if (c.a == 11) expression[c.channel] = c.b;
        for (const auto& [channel, notes] : piece.notesPerChannel) {
            ASSERT_TRUE(expression.count(channel)) << name << " channel " << channel;
            EXPECT_LE(expression[channel], 60) << name << " channel " << channel << " does not fade";
        }
    }
}

// A contrasting middle: somewhere in the piece four bars lean on a note the
// opening uses only in passing (another key), and the last bars come home.
TEST(Music, EveryPieceVisitsAnotherKeyAndComesHome) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_TRUE(piece.valid) << name;
        const long span = 16L * piece.division, end = piece.noteOns.back().tick;
        // The pitch classes that make at least `share` of the notes between from and to.
        auto pitchClasses = [&](long from, long to, double share) {
            std::map<int, int> count;
            int all = 0;
            for (const auto& n : piece.noteOns)
                if (n.channel != 9 && n.tick >= from && n.tick < to) ++count[n.a % 12], ++all;
            std::vector<int> used;
            for (const auto& [pc, k] : count)
                if (k >= share * all) used.push_back(pc);
            return used;
        };
        const std::vector<int> home = pitchClasses(0, 2 * span, 0.04);
        auto outside = [&](const std::vector<int>& used) {
            return std::any_of(used.begin(), used.end(), [&](int pc) { return std::find(home.begin(), home.end(), pc) == home.end(); });
        };
        bool visited = false;
        for (long from = 0; from + span <= end && !visited; from += piece.division)
            visited = outside(pitchClasses(from, from + span, 0.06));
        EXPECT_TRUE(visited) << name << " never leaves its opening key";
        EXPECT_FALSE(outside(pitchClasses(end - span, end + 1, 0.06))) << name << " does not come home";
    }
}

TEST(Music, ParserRejectsATrackWithoutEndOfTrack) {
    Bytes bad{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 4,
              0, 0x90, 60, 100};
    EXPECT_FALSE(ParseMidi(bad).valid);
}

// ---- help text ----

std::vector<std::string> HelpLines() {
    Bytes b = ReadFile("help.txt");
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t c : b) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TEST(HelpText, Has117LinesOfAtMost90DrawableCharacters) {
    auto lines = HelpLines();
    ASSERT_EQ(lines.size(), 117u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 90u) << "line " << i;
        for (unsigned char c : lines[i]) EXPECT_GE(c, 32) << "control character in line " << i;
    }
}

struct Box {
    int x, y, w, h;
    bool Overlaps(const Box& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};

// Where the help screen draws line n: page and y, from the screen's line table.
void HelpLinePlace(int n, int& page, int& y) {
    static const int kPageStart[] = {0, 14, 40, 66, 92, 107, 117};
    page = 0;
    while (n >= kPageStart[page + 1]) ++page;
    const int k = n - kPageStart[page];
    if (page == 0) y = n <= 10 ? 8 + 22 * n : (n == 11 ? 282 : n == 12 ? 354 : 426);
    else if (page <= 3) y = 8 + 22 * k;
    else if (page == 4) y = n <= 101 ? 8 + 22 * k : n <= 103 ? 340 + 22 * (n - 102) : 515 + 22 * (n - 104);
    else y = n <= 108 ? 8 + 22 * k : n <= 110 ? 158 + 22 * (n - 109) : n <= 115 ? 320 + 22 * (n - 111) : 522;
}

// The pictures of each page and the page arrows, as the help screen places them.
std::vector<Box> HelpPictures(int page) {
    std::vector<Box> boxes;
    if (page == 0) boxes = {{232, 242, 269, 35}, {232, 314, 113, 35}, {232, 381, 35, 35}, {232, 456, 210, 140}};
    if (page == 4) boxes = {{232, 228, 105, 105}, {232, 393, 175, 105}};
    if (page == 5) boxes = {{232, 46, 420, 105}, {232, 196, 455, 105}, {232, 443, 385, 70}};
    constexpr AtlasRegion next = Atlas("help_next_arrow"), previous = Atlas("help_prev_arrow");
    if (page < 5) boxes.push_back({next.destX, next.destY, next.w, next.h});
    if (page > 0) boxes.push_back({previous.destX, previous.destY, previous.w, previous.h});
    return boxes;
}

TEST(HelpText, EveryLineFitsTheScreenAndClearsThePicturesOfItsPage) {
    Font font = LoadFont("times16");
    ASSERT_GT(font.height, 0);
    auto lines = HelpLines();
    ASSERT_EQ(lines.size(), 117u);
    for (int n = 0; n < 117; ++n) {
        const std::string& text = lines[static_cast<size_t>(n)];
        if (text.empty()) continue;
        int page = 0, y = 0;
        HelpLinePlace(n, page, y);
        const Box line{8, y, font.Measure(text, 1), font.height + 1};
        EXPECT_LE(line.x + line.w, 800) << "line " << n << " runs off the screen";
        for (const Box& picture : HelpPictures(page))
            EXPECT_FALSE(line.Overlaps(picture)) << "line " << n << " covers a picture at (" << picture.x << ","
                                                 << picture.y << ")";
    }
}

// ---- manual page ----

TEST(Manual, DescribesTheThreeGamesWithPicturesFromTheSkin) {
    Bytes b = ReadFile("manual.html");
    std::string html(b.begin(), b.end());
    for (const char* needle : {"Twist Conduits", "Lash Tiles", "Conduit Sage", "data:image/png;base64,", "</html>"})
        EXPECT_NE(html.find(needle), std::string::npos) << needle;
}

#ifdef TORVANEX_ASSETS_TOOL
// Data files are built on every machine from scratch, so two runs must agree byte for byte.
TEST(SoundAndText, TwoGeneratorRunsWriteTheSameFiles) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch{"torvanex-sound-text"};
    const fs::path base = scratch.path();
    std::vector<fs::path> runs{base / "one", base / "two"};
    for (const fs::path& dir : runs) {
        fs::create_directories(dir);
        const std::string command = std::string("\"") + TORVANEX_ASSETS_TOOL + "\" \"" + dir.string() + "\" > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::vector<std::string> names{"arial8", "times16", "help.txt", "manual.html"};
    for (int n = 1; n <= 13; ++n) names.push_back((n < 10 ? "0" : "") + std::to_string(n) + ".wav");
    for (const auto& entry : fs::directory_iterator(runs[0]))
        if (entry.path().extension() == ".mid") names.push_back(entry.path().filename().string());
    for (const auto& name : names) {
        auto read = [&](const fs::path& dir) {
            std::ifstream in(dir / name, std::ios::binary);
            return Bytes((std::istreambuf_iterator<char>(in)), {});
        };
        const Bytes first = read(runs[0]);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == read(runs[1])) << name << " differs between runs";
    }
}
#endif

}  // namespace
