// The picture files as the game sees them: decoded to RGB565, black = 0.
#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "atlas_regions.h"
#include "frontend/title_layout.h"
#include "platform/platform.h"

namespace {

struct Image {
    std::vector<uint16_t> pixels;
    int width = 0, height = 0;
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

std::string DataFolder() {
    const char* folder = std::getenv("TORVANEX_DATA");
    return folder ? std::string(folder) + "/" : std::string("./");
}

const Image& Load(const std::string& name) {
    static std::map<std::string, Image> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        Image p;
        const bool ok = platform::DecodeBitmapFile(DataFolder() + name, p.pixels, p.width, p.height);
        EXPECT_TRUE(ok) << name;
        it = cache.emplace(name, std::move(p)).first;
    }
    return it->second;
}

const char* const kSkins[] = {"01.skn", "02.skn", "03.skn"};

std::vector<std::string> FilesOf(PictureFile f) {
    switch (f) {
        case PictureFile::Back: return {"back.wrk"};
        case PictureFile::Skin: return {kSkins[0], kSkins[1], kSkins[2]};
        case PictureFile::Zast: return {"zast.wrk"};
        case PictureFile::Rec: return {"rec.wrk"};
        case PictureFile::Screen: return {};
    }
    return {};
}

bool SameBlock(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) return false;
    return true;
}

int CountZero(const Image& p, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += p.At(x, y) == 0;
    return n;
}

// Relative luminance of a 565 pixel, for the readability of text colours.
double Luminance(uint16_t p) {
    auto lin = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const double r = ((p >> 11) & 31) / 31.0, g = ((p >> 5) & 63) / 63.0, b = (p & 31) / 31.0;
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

double MeanLuminance(const Image& p, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) sum += Luminance(p.At(x, y));
    return sum / (w * h);
}

uint16_t Entry(int i) { return Load("back.wrk").At(185 + i, 96); }

std::vector<char> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Pictures, EveryFileHasItsSize) {
    const struct {
        const char* name;
        int w, h;
    } files[] = {{"back.wrk", 800, 541}, {"zast.wrk", 800, 600}, {"rec.wrk", 800, 600},
                 {"01.skn", 800, 148},   {"02.skn", 800, 148},   {"03.skn", 800, 148}};
    for (const auto& f : files) {
        const Image& p = Load(f.name);
        EXPECT_EQ(p.width, f.w) << f.name;
        EXPECT_EQ(p.height, f.h) << f.name;
    }
}

TEST(Pictures, EveryShownRegionIsDrawn) {
    for (const AtlasRegion& r : AtlasRegions()) {
        if (r.use != RegionUse::Opaque && r.use != RegionUse::Keyed && r.use != RegionUse::CopyOpen) continue;
        if (std::string(r.name) == "caret_bar") continue;  // a plain bar by nature
        for (const std::string& file : FilesOf(r.file)) {
            const Image& p = Load(file);
            const uint16_t first = p.At(r.x, r.y);
            bool varied = false;
            for (int y = r.y; y < r.y + r.h && !varied; ++y)
                for (int x = r.x; x < r.x + r.w && !varied; ++x) varied = p.At(x, y) != first;
            EXPECT_TRUE(varied) << r.name << " in " << file << " is one flat colour";
        }
    }
}

TEST(Pictures, OpaquePicturesHaveNoKeyColour) {
    for (const AtlasRegion& r : AtlasRegions()) {
        if (r.use != RegionUse::Opaque && r.use != RegionUse::CopyOpen) continue;
        for (const std::string& file : FilesOf(r.file))
            EXPECT_EQ(CountZero(Load(file), r.x, r.y, r.w, r.h), 0) << r.name << " in " << file;
    }
    for (const char* whole : {"zast.wrk", "rec.wrk"}) EXPECT_EQ(CountZero(Load(whole), 0, 0, 800, 600), 0) << whole;
}

TEST(Pictures, KeyedPicturesHaveHolesAndInk) {
    for (const AtlasRegion& r : AtlasRegions()) {
        if (r.use != RegionUse::Keyed) continue;
        for (const std::string& file : FilesOf(r.file)) {
            const int holes = CountZero(Load(file), r.x, r.y, r.w, r.h);
            EXPECT_GT(holes, 0) << r.name << " in " << file;
            EXPECT_LT(holes, r.w * r.h) << r.name << " in " << file;
        }
    }
}

TEST(Pictures, TransparencyWhereTheGameNeedsIt) {
    const Image& back = Load("back.wrk");
    // Five zeros overhang the score panel by two columns: they must not show.
    EXPECT_EQ(CountZero(back, 402, 103, 2, 27), 2 * 27);
    // Title picture 2 would peek out below the top bar on the game screen.
    EXPECT_EQ(CountZero(back, 453, 218, 17, 10), 17 * 10);
    // The gauge mark leaves a gap column so the marks stay apart.
    EXPECT_GT(CountZero(back, 416, 219, 7, 8), 0);
    for (const char* skin : kSkins) {
        const Image& p = Load(skin);
        EXPECT_EQ(CountZero(p, 8, 83, 19, 19), 19 * 19) << "keyboard frame inside, " << skin;
        EXPECT_EQ(p.At(17, 24), 0) << "pointer surroundings, " << skin;
        EXPECT_NE(p.At(2, 4), 0) << "pointer body, " << skin;
    }
}

TEST(Pictures, RunTimeAreasAreLeftBlack) {
    for (const AtlasRegion& r : AtlasRegions()) {
        if (r.use != RegionUse::RuntimeBlack) continue;
        for (const std::string& file : FilesOf(r.file))
            EXPECT_EQ(CountZero(Load(file), r.x, r.y, r.w, r.h), r.w * r.h) << r.name << " in " << file;
    }
}

TEST(ColourTable, NameEntryColoursWork) {
    EXPECT_NE(Entry(0), 0) << "typed letters would vanish";
    EXPECT_NE(Entry(7), 0) << "text shadows would vanish";
    EXPECT_TRUE(Entry(21) == 0 || Entry(21) == Entry(6)) << "a block would stay behind each typed letter";
}

TEST(ColourTable, TextIsReadableOnItsBackground) {
    const Image& back = Load("back.wrk");
    const Image& zast = Load("zast.wrk");
    const Image& rec = Load("rec.wrk");
    const struct {
        const char* what;
        double text, under;
    } pairs[] = {
        {"typed name on the text box", Luminance(Entry(0)), Luminance(Entry(6))},
        {"prompt on the name box", Luminance(Entry(20)), Luminance(Entry(24))},
        {"help lines on the help tile", Luminance(Entry(20)), MeanLuminance(back, 680, 162, 80, 60)},
        {"Top Scores on the start picture", Luminance(Entry(23)), MeanLuminance(zast, 620, 100, 100, 20)},
        {"notices on the start picture", Luminance(Entry(28)), MeanLuminance(zast, 8, 554, 220, 38)},
        {"fourth notice", Luminance(Entry(28)), MeanLuminance(zast, 620, 580, 170, 12)},
        {"heading on the score picture", Luminance(Entry(23)), MeanLuminance(rec, 625, 36, 120, 20)},
        {"mode title on the score picture", Luminance(Entry(22)), MeanLuminance(rec, 637, 60, 100, 12)},
        {"score rows, level 1", Luminance(Entry(21)), MeanLuminance(rec, 605, 91, 190, 72)},
        {"score rows, level 2", Luminance(Entry(21)), MeanLuminance(rec, 630, 201, 169, 72)},
        {"back line on the score picture", Luminance(Entry(28)), MeanLuminance(rec, 260, 585, 300, 12)},
        {"black text in the next-mode box", 0.0, Luminance(Entry(30))},
    };
    for (const auto& p : pairs) EXPECT_GE(Contrast(p.text, p.under), 3.0) << p.what;
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        EXPECT_GE(Contrast(Luminance(Entry(27)), MeanLuminance(s, 45, 117, 40, 18)), 3.0) << "counts, " << skin;
        EXPECT_GE(Contrast(1.0, MeanLuminance(s, 315, 117, 100, 18)), 3.0) << "Total, " << skin;
    }
}

TEST(CrossFile, PicturesThatShareAScreenSpotMatch) {
    const Image& back = Load("back.wrk");
    const Image& zast = Load("zast.wrk");
    const Image& rec = Load("rec.wrk");
    EXPECT_TRUE(SameBlock(rec, 313, 137, back, 760, 187, 35, 35)) << "score animation patch";
    EXPECT_TRUE(SameBlock(zast, 90, 547, back, 680, 294, 105, 47)) << "give-up blank";
    EXPECT_TRUE(SameBlock(zast, 125, 108, back, 235, 447, 349, 8)) << "gauge background";
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        EXPECT_TRUE(SameBlock(zast, 90, 77, s, 0, 110, 420, 35)) << "counter strip, " << skin;
        EXPECT_TRUE(SameBlock(s, 35, 141, back, 235, 447, 349, 4)) << "strip foot = gauge top, " << skin;
        EXPECT_FALSE(SameBlock(s, 420, 110, back, 472, 465, 202, 38)) << "mode 2 title must differ when highlighted, " << skin;
        EXPECT_TRUE(SameBlock(s, 420, 110, Load(kSkins[0]), 420, 110, 202, 38)) << "mode 2 title alike in all skins";
    }
}

TEST(CrossFile, ScoreHeadJoinsTheScoreRedraw) {
    const Image& back = Load("back.wrk");
    const uint16_t fill = back.At(337, 144);
    for (int y : {144, 145, 146, 172, 173, 174})
        for (int x = 337; x <= 465; ++x) ASSERT_EQ(back.At(x, y), fill) << x << "," << y;
}

TEST(Title, PiecesSpellWithinTheTitleArea) {
    const Image& zast = Load("zast.wrk");
    const Image& back = Load("back.wrk");
    const uint16_t plaque = zast.At(41, 45);
    const size_t counts[5] = {38, 12, 7, 5, 4};
    for (int g = 0; g < 5; ++g) {
        const TitleGroup& group = kTitleGroups[g];
        EXPECT_EQ(group.places.size(), counts[g]);
        const int w = group.right - group.left + 1, h = group.bottom - group.top + 1;
        for (const TitlePlace& p : group.places) {
            EXPECT_GE(p.x, 41);
            EXPECT_LE(p.x + w - 1, 246);
            EXPECT_GE(p.y, 45);
            EXPECT_LE(p.y + h - 1, 76) << "row 77 lies under the counter strip";
            for (int y = p.y; y < p.y + h; ++y)
                for (int x = p.x; x < p.x + w; ++x) ASSERT_EQ(zast.At(x, y), plaque) << "title area must be plain at " << x << "," << y;
        }
    }
    // Pieces carry the plaque colour around their ink: keyed or opaque, the title looks the same.
    EXPECT_EQ(back.At(445, 187), plaque);
    EXPECT_NE(back.At(447, 189), plaque);
}

TEST(Skins, PipesMeetTheCellEdgesAlike) {
    // For each row variant, the straight pieces define what an opening looks like.
    const struct {
        int row, straightV, straightH, firstKind;
    } rows[] = {{40, 35, 70, 0}, {40, 280, 315, 7}, {75, 35, 70, 1}, {75, 280, 315, 8}};
    constexpr int kOpenings[7] = {15, 5, 10, 3, 6, 12, 9};  // 1 N, 2 E, 4 S, 8 W
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        for (const auto& r : rows) {
            for (int kind = r.firstKind % 7; kind < 7; ++kind) {
                const int x = 35 * (kind + (r.firstKind >= 7 ? 7 : 0));
                const int open = kOpenings[kind];
                const bool north = open & 1, east = open & 2, south = open & 4, west = open & 8;
                EXPECT_EQ(SameBlock(s, x + 11, r.row, s, r.straightV + 11, r.row, 13, 1), north) << skin << " kind " << kind << " north";
                EXPECT_EQ(SameBlock(s, x + 11, r.row + 34, s, r.straightV + 11, r.row + 34, 13, 1), south) << skin << " kind " << kind << " south";
                EXPECT_EQ(SameBlock(s, x + 34, r.row + 11, s, r.straightH + 34, r.row + 11, 1, 13), east) << skin << " kind " << kind << " east";
                EXPECT_EQ(SameBlock(s, x, r.row + 11, s, r.straightH, r.row + 11, 1, 13), west) << skin << " kind " << kind << " west";
            }
        }
    }
}

TEST(Skins, LookClearlyDifferent) {
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            const Image& pa = Load(kSkins[a]);
            const Image& pb = Load(kSkins[b]);
            for (int picture : {0, 7, 16}) {  // a pipe, a lit pipe, the empty cell
                const double la = MeanLuminance(pa, 35 * picture, 40, 35, 35);
                const double lb = MeanLuminance(pb, 35 * picture, 40, 35, 35);
                int differing = 0;
                for (int y = 40; y < 75; ++y)
                    for (int x = 35 * picture; x < 35 * picture + 35; ++x) {
                        const uint16_t p = pa.At(x, y), q = pb.At(x, y);
                        differing += std::abs(((p >> 11) & 31) - ((q >> 11) & 31)) + std::abs(((p >> 5) & 63) / 2 - ((q >> 5) & 63) / 2) +
                                         std::abs((p & 31) - (q & 31)) >
                                     8;
                    }
                EXPECT_GT(differing, 35 * 35 / 2) << kSkins[a] << " vs " << kSkins[b] << " picture " << picture << " (" << la << ", " << lb << ")";
            }
        }
}

TEST(Generator, TwoRunsWriteTheSameFiles) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch{"torvanex-assets"};
    const fs::path base = scratch.path();
    const fs::path one = base / "one", two = base / "two";
    fs::create_directories(one);
    fs::create_directories(two);
    for (const fs::path& dir : {one, two}) {
        const std::string command = std::string("\"") + TORVANEX_ASSETS_TOOL + "\" \"" + dir.string() + "\" > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    for (const char* name : {"back.wrk", "zast.wrk", "rec.wrk", "01.skn", "02.skn", "03.skn"}) {
        const auto a = ReadBytes(one / name), b = ReadBytes(two / name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == b) << name << " differs between runs";
        EXPECT_TRUE(a == ReadBytes(DataFolder() + name)) << name << " differs from the build's copy";
    }
}
