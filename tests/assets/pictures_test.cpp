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
#include "board/pieces.h"
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
    if (f == PictureFile::Skin) return {kSkins[0], kSkins[1], kSkins[2]};
    if (f == PictureFile::Screen) return {};
    return {f == PictureFile::Back ? "back.wrk" : f == PictureFile::Zast ? "zast.wrk" : "rec.wrk"};
}

bool SameBlock(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) return false;
    return true;
}

// Pixels of `colour` in a block: of the key colour, black, unless told otherwise.
int CountZero(const Image& p, int x0, int y0, int w, int h, uint16_t colour = 0) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += p.At(x, y) == colour;
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

uint16_t Entry(int i) {
    const AtlasRegion& samples = Region("colour_sample_row");
    return Load("back.wrk").At(samples.x + i, samples.y);
}

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

// Each region as its use needs it: an opaque one drawn (not one flat colour) and
// free of the key colour, a keyed one with holes and ink, a run-time area black.
TEST(Pictures, EveryRegionHoldsWhatItsUseNeeds) {
    for (const AtlasRegion& r : AtlasRegions())
        for (const std::string& file : FilesOf(r.file)) {
            const Image& p = Load(file);
            const int holes = CountZero(p, r.x, r.y, r.w, r.h), all = r.w * r.h;
            const std::string where = std::string(r.name) + " in " + file;
            if (r.use == RegionUse::Opaque || r.use == RegionUse::CopyOpen) {
                EXPECT_EQ(holes, 0) << where;
                if (std::string(r.name) != "caret_bar") {  // a plain bar by nature
                    EXPECT_LT(CountZero(p, r.x, r.y, r.w, r.h, p.At(r.x, r.y)), all) << where << " is one flat colour";
                }
            } else if (r.use == RegionUse::Keyed) {
                EXPECT_GT(holes, 0) << where;
                EXPECT_LT(holes, all) << where;
            } else if (r.use == RegionUse::RuntimeBlack) {
                EXPECT_EQ(holes, all) << where;
            }
        }
    for (const char* whole : {"zast.wrk", "rec.wrk"}) EXPECT_EQ(CountZero(Load(whole), 0, 0, 800, 600), 0) << whole;
}

TEST(Pictures, TransparencyWhereTheGameNeedsIt) {
    const Image& back = Load("back.wrk");
    // Five zeros reach past the score panel, which keeps its last column free: the overhang must not show.
    const AtlasRegion &zero = Region("digit_0"), &panel = Region("score_panel_bg");
    const int overhang = 5 * zero.w - (panel.w - 1);
    EXPECT_EQ(CountZero(back, zero.x, zero.y, overhang, zero.h), overhang * zero.h);
    const AtlasRegion &frame = Region("kbd_cursor_frame"), &pointer = Region("cursor_sprite");
    for (const char* skin : kSkins) {
        const Image& p = Load(skin);
        EXPECT_EQ(CountZero(p, frame.x + 8, frame.y + 8, frame.w - 16, frame.h - 16), (frame.w - 16) * (frame.h - 16))
            << "the keyboard frame's inside, " << skin;
        EXPECT_NE(p.At(pointer.x, pointer.y), 0) << "the pointer's tip at its hot spot, " << skin;
        EXPECT_EQ(p.At(pointer.x + pointer.w - 1, pointer.y + pointer.h - 1), 0) << "around the pointer, " << skin;
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
        {"help lines on the help tile", Luminance(Entry(20)), MeanLuminance(back, Region("help_tile").x,
                                                                              Region("help_tile").y, 80, 60)},
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

// The same block of a full-screen picture and of a picture placed over it.
bool SameOnScreen(const Image& screen, const Image& from, const AtlasRegion& r) {
    return SameBlock(screen, r.destX, r.destY, from, r.x, r.y, r.w, r.h);
}

TEST(CrossFile, PicturesThatShareAScreenSpotMatch) {
    const Image& back = Load("back.wrk");
    EXPECT_TRUE(SameOnScreen(Load("rec.wrk"), back, Region("scores_anim_patch")));
    EXPECT_TRUE(SameOnScreen(Load("zast.wrk"), back, Region("giveup_blank")));
    EXPECT_TRUE(SameOnScreen(Load("zast.wrk"), back, Region("gauge_bg")));
    const AtlasRegion &strip = Region("counter_strip"), &gauge = Region("gauge_bg");
    const AtlasRegion &title = Region("mode_title_2"), &lit = Region("mode_title_2_hl");
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        EXPECT_TRUE(SameOnScreen(Load("zast.wrk"), s, strip)) << "counter strip, " << skin;
        EXPECT_TRUE(SameBlock(s, strip.x + gauge.destX - strip.destX, strip.y + gauge.destY - strip.destY, back, gauge.x,
                              gauge.y, gauge.w, strip.destY + strip.h - gauge.destY))
            << "the strip's foot is the gauge's top, " << skin;
        EXPECT_FALSE(SameBlock(s, lit.x, lit.y, back, title.x, title.y, title.w, title.h)) << "mode 2 lit, " << skin;
        EXPECT_TRUE(SameBlock(s, lit.x, lit.y, Load(kSkins[0]), lit.x, lit.y, lit.w, lit.h)) << "alike in all skins";
    }
}

// The buttons of the right column that stand alone end at one right edge, in
// both looks: measured on the drawn column, across each button's middle row.
TEST(CrossFile, ColumnButtonsShareOneWidth) {
    const Image& back = Load("back.wrk");
    const AtlasRegion& column = Region("right_column");
    int width = 0;
    for (const char* name : {"button_newgame", "button_stop", "button_skin"}) {
        const AtlasRegion &n = Region(name), &hl = Region((std::string(name) + "_hl").c_str());
        const int y = n.y + n.h / 2;
        const uint16_t backdrop = back.At(column.x + column.w - 6, y);
        int left = column.x + 6, right = column.x + column.w - 6;
        while (left < right && back.At(left, y) == backdrop) ++left;
        while (right > left && back.At(right, y) == backdrop) --right;
        if (width == 0) width = right - left + 1;
        EXPECT_EQ(right - left + 1, width) << name << " against New game";
        EXPECT_EQ(hl.w, n.w) << name;
        EXPECT_EQ(hl.destX, n.destX) << name;
    }
}

TEST(CrossFile, ScoreHeadJoinsTheScoreRedraw) {
    const Image& back = Load("back.wrk");
    const AtlasRegion& panel = Region("score_panel_bg");
    const uint16_t fill = back.At(panel.x, panel.y);
    for (const int y : {panel.y, panel.y + 1, panel.y + 2, panel.y + panel.h, panel.y + panel.h + 1, panel.y + panel.h + 2})
        for (int x = panel.x; x < panel.x + panel.w; ++x) ASSERT_EQ(back.At(x, y), fill) << x << "," << y;
}

// The title as the animation builds it on the start picture, checked after
// every piece: each lands on the plain plate, none erases gold already there,
// and nothing reaches below the top bar of the game screen.
TEST(Title, BuildsUpCleanlyIntoEvenlySpacedLetters) {
    const Image& zast = Load("zast.wrk");
    const Image& back = Load("back.wrk");
    const AtlasRegion &area = Region("zast_title_area"), &bar = Region("top_bar");
    const int barFoot = bar.destY + bar.h;
    const uint16_t plaque = zast.At(area.x, area.y);
    Image screen = zast;
    auto place = [&](int sx, int sy, int w, int h, int dx, int dy, bool keyed) {
        EXPECT_TRUE(dx >= area.x && dx + w <= area.x + area.w && dy >= area.y) << dx << "," << dy;
        EXPECT_LE(dy + h, barFoot) << "would show below the top bar at " << dx << "," << dy;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint16_t ink = back.At(sx + x, sy + y);
                if (keyed && ink == 0) continue;
                uint16_t& at = screen.pixels[static_cast<size_t>(dy + y) * screen.width + dx + x];
                ASSERT_EQ(zast.At(dx + x, dy + y), plaque) << "not plain at " << dx + x << "," << dy + y;
                ASSERT_FALSE(at != plaque && ink == plaque) << "erases gold at " << dx + x << "," << dy + y;
                at = ink;
            }
    };
    for (const TitleGroup& group : kTitleGroups) {
        for (const TitlePlace& p : group.places)
            place(group.left, group.top, group.right - group.left + 1, group.bottom - group.top + 1, p.x, p.y, false);
    }
    for (const char* name : {"title_keyed_1", "title_keyed_2"}) {
        const AtlasRegion& r = Region(name);
        place(r.x, r.y, r.w, r.h, r.destX, r.destY, true);
    }

    // Shapes of gold, 8-connected, left to right: a coupling, eight letters, a coupling.
    // Found column by column, each shape is met first at its leftmost ink.
    std::vector<int> label(static_cast<size_t>(area.w) * area.h, -1);
    auto ink = [&](int x, int y) { return screen.At(area.x + x, area.y + y) != plaque; };
    std::vector<std::vector<std::pair<int, int>>> shapes;  // per shape and row: leftmost, rightmost ink
    for (int x0 = 0; x0 < area.w; ++x0)
        for (int y0 = 0; y0 < area.h; ++y0) {
            if (!ink(x0, y0) || label[y0 * area.w + x0] >= 0) continue;
            shapes.emplace_back(area.h, std::pair{area.w, -1});
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            label[y0 * area.w + x0] = static_cast<int>(shapes.size()) - 1;
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                auto& row = shapes.back()[y];
                row = {std::min(row.first, x), std::max(row.second, x)};
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= area.w || ny >= area.h || !ink(nx, ny) || label[ny * area.w + nx] >= 0) continue;
                        label[ny * area.w + nx] = label[y * area.w + x];
                        todo.emplace_back(nx, ny);
                    }
            }
        }
    ASSERT_EQ(shapes.size(), 10u) << "every letter one solid shape, none touching the next";
    // The gap between neighbouring letters is the narrowest clear run in any
    // row both reach: a V beside an A counts where their parallel legs come closest.
    std::vector<int> gaps;
    for (size_t i = 1; i + 2 < shapes.size(); ++i) {
        int gap = 1 << 20;
        for (int y = 0; y < area.h; ++y)
            if (shapes[i][y].second >= 0 && shapes[i + 1][y].second >= 0)
                gap = std::min(gap, shapes[i + 1][y].first - shapes[i][y].second - 1);
        gaps.push_back(gap);
    }
    const auto [fewest, most] = std::minmax_element(gaps.begin(), gaps.end());
    EXPECT_LE(*most - *fewest, 1) << "uneven spacing: from " << *fewest << " to " << *most << " pixels";
    EXPECT_GE(*fewest, 3);

    // What the game screen shows of the plate below the top bar: a solid rule.
    for (int y = barFoot; y < barFoot + 5; ++y)
        for (int x = area.x; x < area.x + area.w; ++x) {
            ASSERT_EQ(zast.At(x, y), zast.At(area.x, y)) << "a speck at " << x << "," << y;
            ASSERT_NE(zast.At(x, y), plaque);
        }
}

// Every pipe opens, in every skin and row of pictures, where the game's walk
// takes it to open: its edge's middle matches a straight's, or it does not.
TEST(Skins, PipesOpenWhereTheGameSaysTheyDo) {
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        for (const std::string row : {"pipe_", "pipe_lit_", "pipe_locked_", "pipe_locked_lit_"}) {
            const AtlasRegion &v = Region((row + "1").c_str()), &h = Region((row + "2").c_str());
            for (uint8_t kind = 0; kind < 7; ++kind) {
                const AtlasRegion& r = Region((row + std::to_string(kind)).c_str());
                if (r.use == RegionUse::NeverDrawn) continue;
                const bool open[4] = {SameBlock(s, r.x, r.y + 11, s, h.x, h.y + 11, 1, 13),
                                      SameBlock(s, r.x + 11, r.y, s, v.x + 11, v.y, 13, 1),
                                      SameBlock(s, r.x + 34, r.y + 11, s, h.x + 34, h.y + 11, 1, 13),
                                      SameBlock(s, r.x + 11, r.y + 34, s, v.x + 11, v.y + 34, 13, 1)};
                for (int side = 0; side < 4; ++side)
                    EXPECT_EQ(open[side], OpensToward(kind, side)) << skin << " " << r.name << " side " << side;
            }
        }
    }
}

// Luminance, not hue alone, tells a lit pipe from an unlit one and a pipe from
// what lies around it, in every skin (for colour-blind players and greyscale).
// Measured on the straight piece between its clamps: the tube is the cell's
// middle 11 pixels across, its surroundings the 3-pixel strips 2 pixels out
// from its rim on both sides (on a lit pipe, the halo). Thresholds: lit against
// unlit 1.6:1 (the copper skin's 1.7:1 reads clearly), a pipe against its
// surroundings 3:1, the least contrast for a shape to read at a glance.
TEST(Skins, LitAndUnlitPipesDifferInLuminanceAndStandOutOfTheirGround) {
    auto tube = [](const Image& s, const AtlasRegion& r) { return MeanLuminance(s, r.x + 12, r.y + 12, 11, 11); };
    auto ground = [](const Image& s, const AtlasRegion& r) {
        return (MeanLuminance(s, r.x + 7, r.y + 12, 3, 11) + MeanLuminance(s, r.x + 25, r.y + 12, 3, 11)) / 2;
    };
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        for (const std::string row : {"pipe_", "pipe_locked_"}) {
            const AtlasRegion &unlit = Region((row + "1").c_str()), &lit = Region((row + "lit_1").c_str());
            EXPECT_GE(Contrast(tube(s, lit), tube(s, unlit)), 1.6) << skin << " " << row << "lit against unlit";
            for (const AtlasRegion* r : {&unlit, &lit})
                EXPECT_GE(Contrast(tube(s, *r), ground(s, *r)), 3.0) << skin << " " << r->name << " against its ground";
        }
    }
}

// The keyboard frame in Lash Tiles must not pass for a wall: their hues lie
// at least 60 degrees apart in every skin.
TEST(Skins, KeyboardFrameAndWallsDifferInColour) {
    auto hue = [](const Image& s, const AtlasRegion& r) {
        double x = 0, y = 0;
        for (int j = r.y; j < r.y + r.h; ++j)
            for (int i = r.x; i < r.x + r.w; ++i) {
                const uint16_t p = s.At(i, j);
                if (p == 0) continue;
                const double red = ((p >> 11) & 31) / 31.0, green = ((p >> 5) & 63) / 63.0, blue = (p & 31) / 31.0;
                const double hi = std::max({red, green, blue}), lo = std::min({red, green, blue});
                if (hi - lo < 0.15) continue;  // greys carry no hue
                double h = hi == red ? (green - blue) / (hi - lo) : hi == green ? 2 + (blue - red) / (hi - lo) : 4 + (red - green) / (hi - lo);
                h *= M_PI / 3;
                x += std::cos(h) * (hi - lo);
                y += std::sin(h) * (hi - lo);
            }
        return std::atan2(y, x) * 180 / M_PI;
    };
    for (const char* skin : kSkins) {
        const Image& s = Load(skin);
        const double frame = hue(s, Region("kbd_cursor_frame"));
        for (const char* wall : {"wall_west", "wall_east", "wall_north", "wall_south"}) {
            const double d = std::fabs(std::remainder(frame - hue(s, Region(wall)), 360.0));
            EXPECT_GE(d, 60) << skin << " " << wall;
        }
    }
}

// Data files are built on every machine from scratch, so two runs must agree
// byte for byte, with each other and with the build's copy.
TEST(Generator, TwoRunsWriteTheSameFiles) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch{"torvanex-assets"};
    const fs::path base = scratch.path();
    const fs::path one = base / "one", two = base / "two";
    for (const fs::path& dir : {one, two}) {
        fs::create_directories(dir);
        const std::string command = std::string("\"") + TORVANEX_ASSETS_TOOL + "\" \"" + dir.string() + "\" > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    // Whatever the tool writes; the other checks read each file the game needs.
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(one)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), one).string();
        ++files;
        const auto a = ReadBytes(one / name), b = ReadBytes(two / name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == b) << name << " differs between runs";
        EXPECT_TRUE(a == ReadBytes(DataFolder() + name)) << name << " differs from the build's copy";
    }
    EXPECT_GE(files, 6 + 2 + 2 + 13 + 8) << "pictures, fonts, help and manual, effects, music";
    EXPECT_NE(ReadBytes(one / "01.skn"), ReadBytes(one / "02.skn"));
    EXPECT_NE(ReadBytes(one / "02.skn"), ReadBytes(one / "03.skn"));
    EXPECT_NE(ReadBytes(one / "01.skn"), ReadBytes(one / "03.skn"));
}
