// Checks the generated fonts, effects, music and help text against the rules the game
// reads them by, and against the screen places where the text must fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "graphics/atlas.h"
#include "graphics/text.h"
#include "sound/wave_file.h"
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

std::uint32_t Be(const Bytes& b, size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

// ---- fonts ----

// A font file as the game reads it: its glyphs, their ink and its measuring are the game's own.
Font ReadFont(const std::string& name) {
    Font f;
    MakeFont(ReadFile(name), f);
    return f;
}

bool Ink(const Font& f, int code, int x, int y) {
    const std::uint8_t* glyph = GlyphOf(f, static_cast<std::uint8_t>(code));
    return glyph != nullptr && (glyph[y * f.RowBytes + x / 8] & (0x80 >> (x % 8))) != 0;
}

int FirstInkColumn(const Font& f, int code) {
    int first = 8 * f.RowBytes;
    for (int y = 0; y < f.GlyphHeight; ++y)
        for (int x = 0; x < 8 * f.RowBytes; ++x)
            if (Ink(f, code, x, y)) first = std::min(first, x);
    return first;
}

int LowestInkRow(const Font& f, int code) {
    for (int y = f.GlyphHeight - 1; y >= 0; --y)
        for (int x = 0; x < 8 * f.RowBytes; ++x)
            if (Ink(f, code, x, y)) return y;
    return -1;
}

struct FontLimits {
    const char* name;
    int maxRowBytes, maxHeight;
};

class FontFile : public ::testing::TestWithParam<FontLimits> {};

// Every code from 32 to 255 in cells that fit the screens; the space and the
// undefined codes blank, every other printable glyph inked from its left edge.
TEST_P(FontFile, HoldsEveryCodeLeftAlignedInCellsThatFitTheScreens) {
    const FontLimits& limits = GetParam();
    Font font = ReadFont(limits.name);
    ASSERT_GE(font.Image.size(), 5u);
    EXPECT_EQ(font.FirstCode, 32);
    ASSERT_GE(font.RowBytes, 1);
    EXPECT_LE(font.RowBytes, limits.maxRowBytes);
    EXPECT_GE(font.GlyphHeight, 8);
    EXPECT_LE(font.GlyphHeight, limits.maxHeight);
    ASSERT_EQ(font.Image.size(), 5u + 224u * static_cast<size_t>(font.RowBytes * font.GlyphHeight));
    for (int blank : {int{' '}, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(InkWidth(font, blank), 0) << blank;
    for (int code = 33; code <= 255; ++code) {
        if (code == 0x7F || code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D ||
            code == 0xA0 || code == 0xAD)
            continue;
        EXPECT_GT(InkWidth(font, code), 0) << "blank glyph for code " << code;
        EXPECT_LE(FirstInkColumn(font, code), 1) << "glyph not left-aligned: code " << code;
    }
}

TEST_P(FontFile, LettersShareOneBaseline) {
    Font font = ReadFont(GetParam().name);
    ASSERT_GT(font.GlyphHeight, 0);
    const int baseline = LowestInkRow(font, 'H');
    for (int code : {'E', 'x', 'm', '0', '7', 'A', 'z'}) EXPECT_EQ(LowestInkRow(font, code), baseline) << char(code);
    EXPECT_GT(LowestInkRow(font, 'g'), baseline);  // descenders go below it
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontFile,
                         ::testing::Values(FontLimits{"arial8", 1, 12}, FontLimits{"times16", 2, 21}),
                         [](const auto& info) { return std::string(info.param.name); });

// The small font's numbers and notices on the top-score screen, the large font's
// heading there and the name entry.
TEST(Fonts, TextFitsItsPlacesOnTheScreens) {
    const Font font = ReadFont("arial8"), large = ReadFont("times16");
    ASSERT_TRUE(font.GlyphHeight > 0 && large.GlyphHeight > 0);
    for (int digit = '0'; digit <= '9'; ++digit) EXPECT_LE(InkWidth(font, digit), 6) << char(digit);
    // The last score column starts at x 758; six digits and their shadow must end by x 799.
    EXPECT_LE(758 + MeasureString(0, font, "888888"), 800);
    // The next-mode box and the back-to-the-game line of the top-score screen.
    constexpr ScreenArea box = AreaOf("rec_next_mode_box"), back = AreaOf("rec_back_line_area");
    EXPECT_LE(688 + MeasureString(0, font, "Click to view"), box.x + box.w);
    EXPECT_LE(679 + MeasureString(0, font, "next game scores"), box.x + box.w);
    EXPECT_LE(260 + MeasureString(1, font, "Click here or press Space key to back to the game."), back.x + back.w);
    EXPECT_LE(100 + large.GlyphHeight + 1, Atlas("panel_head").destY) << "Top Scores at y 100 ends above the panel head";
    constexpr ScreenArea entry = AreaOf("name_entry_box"), field = AreaOf("name_text_field");
    EXPECT_LE(270 + MeasureString(0, large, "Enter your name (25 chars):"), entry.x + entry.w);
    for (int code = 33; code <= 255; ++code) EXPECT_LE(InkWidth(large, code), 16) << code;  // 17 x 22 cell
    // Narrow names must reach the 25-character limit before the field's right end.
    EXPECT_LT(field.x + MeasureString(0, large, std::string(25, 'n')), field.x + field.w);
}

// ---- wave effects ----

// An effect file read as the game reads it, with its samples in full-scale units.
struct Effect {
    Bytes bytes;
    WaveLayout layout;
    sound_measure::Samples x;
};

Effect ReadEffect(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.wav", number);
    Effect e{ReadFile(name), {}, {}};
    if (ParseWaveFile(e.bytes.data(), e.bytes.size(), e.layout) && e.layout.format.bitsPerSample == 16)
        for (size_t at = e.layout.dataOffset; at + 1 < e.bytes.size(); at += 2)
            e.x.push_back(static_cast<std::int16_t>(e.bytes[at] | e.bytes[at + 1] << 8) / 32768.0);
    return e;
}

class EffectFile : public ::testing::TestWithParam<int> {};

TEST_P(EffectFile, IsShortUnclippedPcmThatStartsAndEndsInSilence) {
    const Effect e = ReadEffect(GetParam());
    const platform::PcmFormat& f = e.layout.format;
    ASSERT_GT(e.x.size(), 100u) << "effect " << GetParam() << " is not 16-bit PCM";
    EXPECT_EQ(std::string(e.bytes.begin(), e.bytes.begin() + 4), "RIFF");
    EXPECT_EQ(e.layout.dataOffset, 44u);
    EXPECT_EQ(e.layout.dataSize + 44, e.bytes.size());
    ASSERT_TRUE(platform::PlayableFormat(f));
    EXPECT_EQ(f.blockAlign, f.channels * 2);
    EXPECT_EQ(f.averageBytesPerSecond, f.samplesPerSecond * f.blockAlign);
    EXPECT_LE(static_cast<double>(e.layout.dataSize) / f.averageBytesPerSecond, 1.0);
    double peak = 0;
    for (double v : e.x) peak = std::max(peak, std::fabs(v));
    EXPECT_LE(peak, 0.9) << "too close to clipping";
    EXPECT_GE(peak, 0.1) << "nearly silent";
    EXPECT_LE(std::fabs(e.x.front()), 300 / 32768.0);
    EXPECT_LE(std::fabs(e.x.back()), 300 / 32768.0);
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile, ::testing::Range(1, 14));

// The rotate click is the sound heard most and must not drown under the music
// (about -24 dBFS as played); laptop speakers give little below 500 Hz, so every
// effect needs a tenth of its energy between 0.5 and 2 kHz to be heard on them.
TEST(Effects, TheRotateClickHoldsItsOwnAndEveryEffectCarriesOnSmallSpeakers) {
    std::vector<double> loudness(14);
    for (int n = 1; n <= 13; ++n) {
        const Effect e = ReadEffect(n);
        const sound_measure::Samples& x = e.x;
        const int rate = static_cast<int>(e.layout.format.samplesPerSecond);
        ASSERT_TRUE(x.size() > 100u && e.layout.format.channels == 1) << "effect " << n << " is not 16-bit mono";
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
    double seconds = 0;
    std::map<int, int> notesPerChannel;
    std::string error;  // empty for a valid piece
    struct Event {
        long tick;
        int channel, key;
    };
    std::vector<Event> noteOns, noteOffs;
    int division = 0;
};

MidiSummary ParseMidi(const Bytes& b) {
    MidiSummary out;
    auto fail = [&](const char* why) {
        out.error = why;
        return out;
    };
    auto tag = [&](size_t at) { return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4); };
    if (b.size() < 14 || tag(0) != "MThd" || Be(b, 4, 4) != 6) return fail("no MThd header");
    const std::uint32_t format = Be(b, 8, 2), tracks = Be(b, 10, 2), division = Be(b, 12, 2);
    if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000) != 0) return fail("unsupported header");
    std::map<long, std::uint32_t> tempo{{0, 500000}};
    long lastTick = 0;
    size_t at = 14;
    for (std::uint32_t t = 0; t < tracks; ++t) {
        if (at + 8 > b.size() || tag(at) != "MTrk") return fail("missing track chunk");
        const size_t end = at + 8 + Be(b, at + 4, 4);
        if (end > b.size()) return fail("track runs past the file");
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
                    const MidiSummary::Event event{tick, channel, b[at]};
                    if (kind == 0x90 && b[at + 1] > 0) {
                        ++out.notesPerChannel[channel];
                        out.noteOns.push_back(event);
                    } else if (kind == 0x80 || kind == 0x90) {
                        out.noteOffs.push_back(event);
                    }
                }
            } else {
                return fail("data byte without a status");
            }
            if (at + needed > end) return fail("event runs past its track");
            at += needed;
            lastTick = std::max(lastTick, tick);
        }
        if (!ended || at != end) return fail("track without a proper end-of-track");
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
    out.division = static_cast<int>(division);
    for (auto* events : {&out.noteOns, &out.noteOffs})
        std::stable_sort(events->begin(), events->end(), [](const auto& x, const auto& y) { return x.tick < y.tick; });
    return out;
}

std::vector<std::string> MusicFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder()))
        if (entry.path().extension() == ".mid") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Eight pieces or more, with names the game keeps whole (it cuts them at 30).
TEST(Music, EveryPieceIsValidAndLastsOneAndAHalfToFourMinutes) {
    const auto names = MusicFiles();
    EXPECT_GE(names.size(), 8u);
    EXPECT_LE(names.size(), 50u);
    bool someDrums = false;
    for (const auto& name : names) {
        EXPECT_LE(name.size(), 30u) << name;
        MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_EQ(piece.error, "") << name;
        EXPECT_GE(piece.seconds, 90.0) << name;
        EXPECT_LE(piece.seconds, 240.0) << name;
        EXPECT_GE(piece.notesPerChannel.size(), 3u) << name << " needs melody, harmony and rhythm parts";
        someDrums = someDrums || piece.notesPerChannel.count(9) > 0;
    }
    EXPECT_TRUE(someDrums) << "no piece uses the drum channel";
}

// The synthesiser ends every sounding note of a key at that key's note-off: a
// note struck again before the last one ended would be cut off at once.
TEST(Music, NoNoteStartsWhileItsKeyStillSounds) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_EQ(piece.error, "") << name;
        std::map<std::pair<int, int>, std::vector<std::pair<long, int>>> changes;  // channel and key: tick, +1 or -1
        for (const auto& n : piece.noteOns) changes[{n.channel, n.key}].push_back({n.tick, 1});
        for (const auto& n : piece.noteOffs) changes[{n.channel, n.key}].push_back({n.tick, -1});
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

// A contrasting middle: somewhere in the piece four bars lean on a note the
// opening uses only in passing (another key), and the last bars come home.
TEST(Music, EveryPieceVisitsAnotherKeyAndComesHome) {
    for (const auto& name : MusicFiles()) {
        const MidiSummary piece = ParseMidi(ReadFile(name));
        ASSERT_EQ(piece.error, "") << name;
        const long span = 16L * piece.division, end = piece.noteOns.back().tick;
        // The pitch classes that make at least `share` of the notes between from and to.
        auto pitchClasses = [&](long from, long to, double share) {
            std::map<int, int> count;
            int all = 0;
            for (const auto& n : piece.noteOns)
                if (n.channel != 9 && n.tick >= from && n.tick < to) ++count[n.key % 12], ++all;
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

// ---- help text ----

// The help screen draws every line from x 8 in the large font, one pixel between letters.
TEST(HelpText, Has117LinesOfAtMost90DrawableCharactersThatFitTheScreen) {
    const Font font = ReadFont("times16");
    ASSERT_GT(font.GlyphHeight, 0);
    std::ifstream in(DataFolder() + "help.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line); lines.push_back(line)) std::erase(line, '\r');
    ASSERT_EQ(lines.size(), 117u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 90u) << "line " << i;
        EXPECT_LE(8 + MeasureString(1, font, lines[i]), 800) << "line " << i << " runs off the screen";
        for (unsigned char c : lines[i]) EXPECT_GE(c, 32) << "control character in line " << i;
    }
}

// ---- manual page ----

TEST(Manual, DescribesTheThreeGamesWithPicturesFromTheSkin) {
    Bytes b = ReadFile("manual.html");
    std::string html(b.begin(), b.end());
    for (const char* needle : {"Twist Conduits", "Lash Tiles", "Conduit Sage", "data:image/png;base64,", "</html>"})
        EXPECT_NE(html.find(needle), std::string::npos) << needle;
}

}  // namespace
