// Fonts and text: advances, measuring, the shadow, clipping and bad font files.
#include "graphics/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "support/scratch_folder.h"
#include "services/files.h"

namespace {

// RowBytes 1, height 4, codes 32..34: a blank space, a glyph inked up to column
// 6 (bits 0x84: columns 1 and 6), and a full block; `inkedSpace` inks the space.
Font SmallTestFont(bool inkedSpace = false) {
    std::vector<uint8_t> image = {1, 0, 4, 0, 32};
    for (int r = 0; r < 4; ++r) image.push_back(inkedSpace && r == 0 ? 0x80 : 0);
    for (int r = 0; r < 4; ++r) image.push_back(0x84);
    for (int r = 0; r < 4; ++r) image.push_back(0xFF);
    Font font;
    EXPECT_TRUE(MakeFont(image, font));
    return font;
}

class TextTest : public ::testing::Test {
public:
    static constexpr int kPitch = 40, kHeight = 12;
    // The buffer sits between two guard rows, which nothing may touch.
    std::vector<uint16_t> memory = std::vector<uint16_t>((kHeight + 2) * kPitch, 0x5555);
    uint16_t* pixels = memory.data() + kPitch;
    void SetUp() override {
        platform::headless::Reset();
        ResetProgramState();
        Text.ColourTable[kShadowEntry] = 0x0007;
        Text.ColourTable[kPlainEntry] = 0x0021;
        std::fill(pixels, pixels + kPitch * kHeight, 0);
    }
    uint16_t At(int x, int y) const { return pixels[y * kPitch + x]; }
    void Draw(int x, int y, int spacing, uint16_t colour, const Font& font, std::string_view text) {
        DrawString(x, y, kPitch, spacing, colour, font, pixels, kHeight, text);
    }
    bool GuardsIntact() const {
        for (int i = 0; i < kPitch; ++i)
            if (memory[i] != 0x5555 || memory[(kHeight + 1) * kPitch + i] != 0x5555) return false;
        return true;
    }
};

TEST_F(TextTest, AdvancesFollowInkWidthSpacingAndTheBlankRule) {
    const Font font = SmallTestFont();
    struct Case {
        std::string_view text;
        int spacing;
        int measured;
    };
    const Case cases[] = {
        {"", 0, 0}, {" ", 0, 5}, {" ", 1, 5}, {"!", 0, 7}, {"!", 1, 8}, {"!!", 1, 16}, {"! !", 0, 19},
    };
    for (const Case& c : cases) EXPECT_EQ(MeasureString(c.spacing, font, c.text), c.measured) << "'" << c.text << "'";
    // The second glyph starts where the first advanced to: space then '!' at x 5.
    Draw(0, 0, 0, 0x00F0, font, " !");
    EXPECT_EQ(At(5, 0), 0x00F0);
    EXPECT_EQ(At(10, 0), 0x00F0);
    EXPECT_EQ(At(4, 0), 0);
}

TEST_F(TextTest, MeasuringKeepsTheSpacesSpecialCases) {
    // An inked space measures ink + spacing without the extra pixel; a blank
    // glyph other than the space measures one pixel more than it advances.
    EXPECT_EQ(MeasureString(1, SmallTestFont(true), " "), 2);
    Font noGlyphs;
    ASSERT_TRUE(MakeFont({1, 0, 4, 0, 65}, noGlyphs));
    EXPECT_EQ(MeasureString(0, noGlyphs, "x"), 6);
    EXPECT_EQ(MeasureString(0, noGlyphs, " "), 5);
}

TEST_F(TextTest, ShadowFallsBelowRightUnlessInkCoversItAndNeverInPlainColour) {
    const Font font = SmallTestFont();
    Draw(2, 2, 0, 0x00F0, font, "\"");   // the full block
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 10; ++x) ASSERT_EQ(At(x, y), 0x00F0);
    for (int x = 3; x <= 10; ++x) EXPECT_EQ(At(x, 6), 0x0007) << x;
    for (int y = 3; y <= 6; ++y) EXPECT_EQ(At(10, y), 0x0007) << y;
    EXPECT_EQ(At(2, 6), 0);
    std::fill(pixels, pixels + kPitch * kHeight, 0);
    Draw(2, 2, 0, Text.ColourTable[kPlainEntry], font, "\"");
    for (int x = 0; x < kPitch; ++x) EXPECT_EQ(At(x, 6), 0);
    EXPECT_EQ(At(10, 3), 0);
}

TEST_F(TextTest, TextIsCutAtEveryEdgeOfTheBuffer) {
    const Font font = SmallTestFont();
    const std::string wide(90, '"');
    Draw(-5, -2, 1, 0x00F0, font, wide);     // past the left, top and right edges
    Draw(30, kHeight - 2, 0, 0x00F0, font, wide);   // past the right and bottom edges
    Draw(-1000, 1000, 0, 0x00F0, font, wide);
    EXPECT_TRUE(GuardsIntact());
    // Cut text does not wrap into the next row.
    EXPECT_EQ(At(0, kHeight - 1), 0);
    EXPECT_EQ(At(0, 0), 0x00F0);
    EXPECT_EQ(At(kPitch - 1, 0), 0x00F0);
}

TEST_F(TextTest, CharactersWithoutAGlyphAdvanceAsBlanks) {
    const Font font = SmallTestFont();
    Draw(0, 0, 0, 0x00F0, font, "\x05\xFF!");
    EXPECT_EQ(At(10, 0), 0x00F0);   // '!' after two blank advances of 5
    EXPECT_EQ(At(9, 0), 0);
}

TEST_F(TextTest, ColourTableComesFromRow96OfTheWorkSlot) {
    ASSERT_EQ(InitDisplay(800, 600, 16), 0);
    ASSERT_EQ(CreateSurfaceSlot(WorkSlot, 800, 689, platform::SurfaceKind::SystemMemory, false), 0);
    LockSlot(WorkSlot);
    for (int x = 180; x < 220; ++x) Display.Slots[WorkSlot].pixels[96 * Display.Slots[WorkSlot].pitch + x] = static_cast<uint16_t>(x * 3);
    UnlockSlot(WorkSlot);
    SampleColourTable();
    for (int i = 0; i < kColourCount; ++i) EXPECT_EQ(Text.ColourTable[i], (185 + i) * 3);
    EXPECT_EQ(ShadowColour(), 192 * 3);
    EXPECT_EQ(PlainColour(), 206 * 3);
}

struct FontFileCase {
    std::vector<uint8_t> bytes;   // empty vector with `missing`: no file at all
    bool missing;
    const char* message;
};

TEST_F(TextTest, BrokenFontFilesEndTheProgramWithAFileError) {
    const ScratchFolder scratch{"torvanex-font"};
    const std::string& folder = scratch.path();
    const FontFileCase cases[] = {
        {{}, true, "File error    2. Please reinstall Torvanex"},
        {{1, 0, 4}, false, "File error  100. Please reinstall Torvanex"},
        {{}, false, "File error  100. Please reinstall Torvanex"},
    };
    for (const FontFileCase& c : cases) {
        platform::headless::Reset();
        ResetProgramState();
        Files.ProgramFolder = folder;
        std::filesystem::remove(folder + "arial8");
        if (!c.missing) std::ofstream(folder + "arial8", std::ios::binary).write(reinterpret_cast<const char*>(c.bytes.data()), c.bytes.size());
        try {
            Font font;
            LoadFont("arial8", font);
            ADD_FAILURE() << c.message << ": the program went on";
        } catch (const platform::headless::ProcessExit& exit) {
            EXPECT_NE(exit.status, 0);
            ASSERT_EQ(platform::headless::Get().messageBoxes.size(), 1u);
            EXPECT_EQ(platform::headless::Get().messageBoxes[0].text, c.message);
        }
    }
    // A header and a glyph and a half: one whole glyph is used.
    std::ofstream(folder + "arial8", std::ios::binary).write("\x01\x00\x02\x00\x41\x80\x80\x80", 8);
    Font font;
    LoadFont("arial8", font);
    EXPECT_EQ(font.GlyphCount, 1u);
    EXPECT_EQ(InkWidth(font, 'A'), 1);
    EXPECT_EQ(InkWidth(font, 'B'), 0);
}

}  // namespace
