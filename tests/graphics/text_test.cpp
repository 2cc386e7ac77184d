// Fonts and text: advances, measuring, the shadow, clipping and broken font
// files.
#include "graphics/text.h"

#include <vector>

#include "services/files.h"
#include "support/fresh_program.h"

// Row bytes 1, height 4, codes 32..34: a blank space, '!' inked in columns 1
// and 6 (0x84), and '"' a full block.
static Font SmallTestFont() {
    Font font;
    EXPECT_TRUE(MakeFont({1, 0, 4, 0, 32, 0, 0, 0, 0, 0x84, 0x84, 0x84, 0x84, 0xFF, 0xFF, 0xFF, 0xFF}, font));
    return font;
}

class TextTest : public FreshProgram {
public:
    TextTest() : FreshProgram(false) {}
    static constexpr int kPitch = 40, kHeight = 12;
    // The buffer lies between two guard rows that nothing may touch.
    std::vector<uint16_t> memory = std::vector<uint16_t>((kHeight + 2) * kPitch, 0x5555);
    uint16_t* pixels = memory.data() + kPitch;
    const Font font = SmallTestFont();
    void SetUp() override {
        FreshProgram::SetUp();
        Text.ColourTable[kShadowEntry] = 0x0007, Text.ColourTable[kPlainEntry] = 0x0021;
        std::fill(pixels, pixels + kPitch * kHeight, 0);
    }
    uint16_t At(int x, int y) const { return pixels[y * kPitch + x]; }
    void Draw(int x, int y, int spacing, uint16_t colour, std::string_view text) {
        DrawString(x, y, kPitch, spacing, colour, font, pixels, kHeight, text);
    }
};

TEST_F(TextTest, AdvancesFollowTheInkTheSpacingAndTheBlankRule) {
    const struct { std::string_view text; int spacing, measured; } cases[] = {
        {"", 0, 0}, {" ", 0, 5}, {" ", 1, 5}, {"!", 0, 7}, {"!", 1, 8}, {"!!", 1, 16}, {"! !", 0, 19}};
    for (const auto& c : cases) EXPECT_EQ(MeasureString(c.spacing, font, c.text), c.measured) << "'" << c.text << "'";
    // Each glyph starts where the one before advanced to; blanks and characters
    // without a glyph advance 4 x row bytes + 1, whatever the spacing.
    Draw(0, 0, 1, 0x00F0, " !\x05\xFF!");
    for (const int x : {5, 10, 23, 28}) EXPECT_EQ(At(x, 0), 0x00F0) << x;
    for (const int x : {4, 11, 22, 24}) EXPECT_EQ(At(x, 0), 0) << x;
}

TEST_F(TextTest, TheShadowFallsBelowRightUnderTheInkAndNeverInThePlainColour) {
    Draw(2, 2, 0, 0x00F0, "\"");
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kPitch; ++x) {
            const bool ink = x >= 2 && x < 10 && y >= 2 && y < 6, shadow = x >= 3 && x <= 10 && y >= 3 && y <= 6;
            ASSERT_EQ(At(x, y), ink ? 0x00F0 : shadow ? 0x0007 : 0) << x << "," << y;
        }
    Draw(20, 2, 0, Text.ColourTable[kPlainEntry], "\"");
    EXPECT_TRUE(At(28, 3) == 0 && At(23, 6) == 0);
}

TEST_F(TextTest, TextIsCutAtEveryEdgeOfTheBuffer) {
    const std::string wide(90, '"');
    Draw(-5, -2, 1, 0x00F0, wide);             // past the left, top and right edges
    Draw(30, kHeight - 2, 0, 0x00F0, wide);    // past the right and bottom edges
    Draw(-1000, 1000, 0, 0x00F0, wide);
    Draw(1 << 30, 0, 0, 0x00F0, wide);
    for (int i = 0; i < kPitch; ++i) ASSERT_TRUE(memory[i] == 0x5555 && memory[(kHeight + 1) * kPitch + i] == 0x5555) << i;
    EXPECT_EQ(At(0, kHeight - 1), 0) << "cut text does not wrap into the next row";
    EXPECT_TRUE(At(0, 0) == 0x00F0 && At(kPitch - 1, 0) == 0x00F0);
}

TEST_F(TextTest, BrokenFontFilesEndTheProgramWithAFileError) {
    for (const auto& [bytes, digits] : {std::pair<std::string, const char*>{"", "   2"}, {{1, 0, 4}, " 100"}}) {
        Restart();
        Remove("arial8");
        if (!bytes.empty()) Write("arial8", bytes);   // else missing; this one is shorter than its header
        Font loaded;
        EXPECT_EQ(ExitStatusOf([&] { LoadFont("arial8", loaded); }), 1) << digits;
        ExpectOneMessage(FileError(digits));
    }
    // A header, a glyph and half a glyph: the whole glyph is used, the half is not.
    Write("arial8", std::string("\x01\x00\x02\x00\x41\x80\x80\x80", 8));
    Font loaded;
    LoadFont("arial8", loaded);
    EXPECT_TRUE(loaded.GlyphCount == 1 && InkWidth(loaded, 'A') == 1 && GlyphOf(loaded, 'B') == nullptr);
}
