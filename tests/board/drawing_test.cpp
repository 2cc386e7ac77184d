// Where the board and panel pictures land, checked against the WorkSlot
// rectangles they come from.
#include "board/drawing.h"

#include <string>
#include <vector>

#include "engine_fixture.h"
#include "services/number_text.h"
#include "graphics/text.h"

namespace {

using DrawingTest = EngineTest;

struct Digit {
    int left, right;
};
constexpr Digit kDigit[10] = {{402, 427}, {428, 438}, {439, 459}, {460, 476}, {477, 497},
                              {498, 516}, {517, 538}, {539, 558}, {559, 579}, {580, 601}};

TEST_F(DrawingTest, ScoreDigitsRunRightToLeftFromX766AtMostFive) {
    struct Case {
        int score;
        std::vector<int> digitsFromRight;
    };
    const Case cases[] = {{7, {7}}, {0, {0}}, {123456, {6, 5, 4, 3, 2}}, {100000, {0, 0, 0, 0, 0}}, {90210, {0, 1, 2, 0, 9}}};
    for (const Case& c : cases) {
        Game.Score = c.score;
        DrawScore(PrimarySlot);
        int right = 766;
        for (const int d : c.digitsFromRight) {
            const int width = kDigit[d].right - kDigit[d].left + 1;
            EXPECT_TRUE(ShowsWork(kDigit[d].left, 103, kDigit[d].right, 129, right - width + 1, 137))
                << "score " << c.score << " digit " << d;
            right -= width;
        }
        // Left of the last digit the panel's background shows.
        const int x = right;
        const bool background = x < 639 || ShowsWork(337 + (x - 639), 144, 337 + (x - 639), 164, x, 137);
        EXPECT_TRUE(background) << "score " << c.score;
    }
}

TEST_F(DrawingTest, SpeedDigitSitsAtItsOwnOffset) {
    const int offsets[10] = {1, 3, 3, 5, 3, 4, 4, 3, 3, 4};
    for (int speed = 0; speed <= 9; ++speed) {
        Game.Speed = speed;
        DrawSpeed(PrimarySlot);
        EXPECT_TRUE(ShowsWork(kDigit[speed].left, 103, kDigit[speed].right, 129, 707 + offsets[speed], 322))
            << "speed " << speed;
    }
    Game.Speed = 1;
    DrawSpeed(PrimarySlot);
    EXPECT_TRUE(ShowsWork(428, 103, 438, 129, 710, 322));
}

TEST_F(DrawingTest, BlockGaugeShowsOneMarkPerBlockStillAllowed) {
    Game.GameMode = 1;
    Game.PieceCount = 15;
    DrawBlockGauge(PrimarySlot);
    for (int k = 0; k < 25; ++k) EXPECT_TRUE(ShowsWork(416, 219, 422, 226, 466 - 8 * k, 108)) << "mark " << k;
    // Left of the 25th mark the gauge's background shows through the keyed strip.
    const int x = 466 - 8 * 25;
    EXPECT_TRUE(ShowsWork(235 + x - 125, 447, 235 + x - 125 + 6, 454, x, 108));
    // Stopped: only the background, no marks.
    Game.ScreenState = Stopped;
    DrawBlockGauge(PrimarySlot);
    EXPECT_TRUE(ShowsWork(235, 447, 583, 454, 125, 108));
}

TEST_F(DrawingTest, PiecesComeFromTheLockedRowWhenLocked) {
    Place({{2, 3, 4}, {9, 9, 4}});
    Game.LockFlags[CellIndex(2, 3)] = 1;
    DrawBoard(PrimarySlot);
    EXPECT_TRUE(ShowsWork(140, 616, 174, 650, CellX(2), CellY(3)));
    EXPECT_TRUE(ShowsWork(140, 581, 174, 615, CellX(9), CellY(9)));
    EXPECT_TRUE(ShowsWork(560, 581, 594, 615, CellX(0), CellY(0)));
}

TEST_F(DrawingTest, ModeOneCellsShowBlocksLineEndsKeyCursorAndWalls) {
    Game.GameMode = 1;
    std::memset(Game.Board, 0, sizeof Game.Board);
    Game.Board[CellIndex(1, 1)] = 129;
    Game.Board[CellIndex(2, 1)] = 129;
    Game.Board[CellIndex(3, 1)] = 131;
    Game.LineEnd = {2, 1};
    Game.KeyCursor = {-1, -1};
    DrawAllCells(PrimarySlot);
    EXPECT_TRUE(ShowsWork(106, 541, 140, 575, CellX(1), CellY(1)));
    EXPECT_TRUE(ShowsWork(246, 541, 280, 575, CellX(2), CellY(1))) << "the line's end";
    EXPECT_TRUE(ShowsWork(456, 541, 490, 575, CellX(3), CellY(1)));
    EXPECT_TRUE(ShowsWork(36, 541, 70, 575, CellX(0), CellY(0)));

    struct Wall {
        int side, left, top, right, bottom, dx, dy;
    };
    const Wall walls[] = {{0, 527, 618, 528, 648, 0, 2},
                          {1, 492, 618, 522, 619, 2, 0},
                          {2, 525, 618, 526, 648, 33, 2},
                          {3, 492, 616, 522, 617, 2, 33}};
    for (const Wall& w : walls) {
        std::memset(Game.Walls, 0, sizeof Game.Walls);
        Game.Walls[CellIndex(5, 5) * 4 + w.side] = 1;
        Game.KeyCursor = {5, 5};
        DrawCell(5, 5, PrimarySlot);
        EXPECT_TRUE(ShowsWork(w.left, w.top, w.right, w.bottom, CellX(5) + w.dx, CellY(5) + w.dy)) << "side " << w.side;
        // The cursor frame was keyed over the cell before the wall went on.
        EXPECT_TRUE(ShowsWork(0, 616, 0, 616, CellX(5), CellY(5)) || w.dx == 0 || w.dy == 0);
    }
}

TEST_F(DrawingTest, PanelsSitWhereTheGameScreenExpectsThem) {
    Game.Level = 1;
    DrawLevelGlyph(PrimarySlot);
    EXPECT_TRUE(ShowsWork(614, 103, 634, 129, 707, 378));
    Game.Level = 0;
    DrawLevelGlyph(PrimarySlot);
    EXPECT_TRUE(ShowsWork(602, 103, 613, 129, 711, 378));
    const int titles[3][2] = {{15, 156}, {270, 465}, {472, 465}};
    for (int mode = 0; mode < 3; ++mode) {
        Game.GameMode = mode;
        DrawModeTitle(PrimarySlot);
        EXPECT_TRUE(ShowsWork(titles[mode][0], titles[mode][1], titles[mode][0] + 201, titles[mode][1] + 37, 552, 214));
    }
    Game.HoverButton = 6;
    DrawModeTitle(PrimarySlot);
    EXPECT_TRUE(ShowsWork(420, 651, 621, 688, 552, 214));
    DrawGiveUpButton(true, PrimarySlot);
    EXPECT_TRUE(ShowsWork(680, 247, 784, 293, 90, 547));
    DrawGiveUpButton(false, PrimarySlot);
    EXPECT_TRUE(ShowsWork(680, 294, 784, 340, 90, 547));
}

// A font whose glyphs all differ, so the counts' text can be compared by drawing
// the expected text the same way.
Font TestFont() {
    std::vector<uint8_t> image = {1, 0, 8, 0, 32};
    for (int code = 32; code < 128; ++code)
        for (int row = 0; row < 8; ++row) image.push_back(code == 32 ? 0 : static_cast<uint8_t>((code * 37 + row * 11) | 0x40));
    Font font;
    MakeFont(image, font);
    return font;
}

TEST_F(DrawingTest, PieceCountersShowEachKindAndTheTotal) {
    Game.GameMode = 2;
    Text.LargeFont = TestFont();
    for (int i = 0; i < kCells; ++i) Game.Board[i] = static_cast<uint8_t>(i % 7);
    Game.PieceCount = kCells;
    Text.ColourTable[27] = 0x1234;
    DrawPieceCounters();
    EXPECT_TRUE(ShowsWork(6 * 35, 581, 6 * 35 + 34, 615, 90, 77));
    EXPECT_TRUE(ShowsWork(2 * 35, 581, 2 * 35 + 34, 615, 195, 77));
    EXPECT_TRUE(ShowsWork(0, 581, 34, 615, 300, 77));
    // The same strip, drawn by hand with the expected texts.
    BlitOpaque(0, 651, 419, 685, 90, 77, WorkSlot, ComposeSlot);
    for (const auto& [picture, x] : {std::pair{6, 90}, {2, 195}, {0, 300}})
        BlitOpaque(35 * picture, 581, 35 * picture + 34, 615, x, 77, WorkSlot, ComposeSlot);
    LockSlot(ComposeSlot);
    SurfaceSlot& c = Display.Slots[ComposeSlot];
    const int crosses = 21, straights = 42, corners = 81;
    DrawString(135, 84, c.pitch, 1, 0x1234, Text.LargeFont, c.pixels, c.height, NumberText(corners, 10, 3, 0));
    DrawString(240, 84, c.pitch, 1, 0x1234, Text.LargeFont, c.pixels, c.height, NumberText(straights, 10, 3, 0));
    DrawString(345, 84, c.pitch, 1, 0x1234, Text.LargeFont, c.pixels, c.height, NumberText(crosses, 10, 3, 0));
    DrawString(405, 84, c.pitch, 1, 0xFFFF, Text.LargeFont, c.pixels, c.height, "Total: 144");
    UnlockSlot(ComposeSlot);
    for (int y = 84; y < 92; ++y)
        for (int x = 135; x < 509; ++x)
            ASSERT_EQ(platform::headless::Pixel(SurfaceOf(PrimarySlot), x, y), platform::headless::Pixel(SurfaceOf(ComposeSlot), x, y))
                << x << "," << y;
    // In any other mode nothing is drawn.
    Game.GameMode = 0;
    BlitOpaque(0, 0, 419, 34, 90, 77, WorkSlot, PrimarySlot);
    DrawPieceCounters();
    EXPECT_TRUE(ShowsWork(0, 0, 419, 34, 90, 77));
}

}  // namespace
