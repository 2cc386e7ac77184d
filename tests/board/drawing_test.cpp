// Where the board and panel pictures land, by the atlas names they come from.
#include "board/drawing.h"

#include <algorithm>
#include <string>

#include "board/pieces.h"
#include "engine_fixture.h"
#include "graphics/text.h"

using DrawingTest = EngineTest;

static Picture Digit(int d) { return Named("digit_" + std::to_string(d)); }

// The panel's own background shows everywhere on it but under the glyph at x.
static bool BackgroundAround(const Picture& panel, const Picture& glyph, int x) {
    for (int j = 0; j < panel.height(); ++j)
        for (int i = 0; i < panel.width(); ++i) {
            const bool under = panel.destX + i >= x && panel.destX + i < x + glyph.width() && j < glyph.height();
            if (!under && PixelOf(PrimarySlot, panel.destX + i, panel.destY + j) !=
                              PixelOf(WorkSlot, panel.left + i, panel.top + j))
                return false;
        }
    return true;
}

TEST_F(DrawingTest, ScoreShowsItsLastFiveDigitsRightAlignedOverAFreshPanel) {
    const Picture panel = WorkPicture("score_panel_bg");
    const int y = panel.destY, right = panel.destX + panel.width() - 1;   // one column inside the panel
    for (const auto& [score, shown] : {std::pair{0, "0"}, {123456, "23456"}, {7, "7"}, {100000, "00000"},
                                       {90210, "90210"}, {-45, "45"}}) {
        Game.Score = score;
        DrawScore(PrimarySlot);
        int x = right;
        for (const char* d = shown + std::char_traits<char>::length(shown); d-- != shown;)
            EXPECT_TRUE(ShowsPicture(Digit(*d - '0'), x -= Digit(*d - '0').width(), y)) << score << " digit " << *d;
        const int wiped = std::max(x - panel.destX, 0);   // what a longer score left there is gone
        EXPECT_TRUE(ShowsPicture(PartOf(panel, 0, 0, wiped, panel.height()), panel.destX, y)) << score;
    }
}

TEST_F(DrawingTest, SpeedAndLevelGlyphsSitInsideTheirPanelsOverAFreshBackground) {
    const Picture panel = WorkPicture("speed_panel_bg");
    const Picture levels[2] = {WorkPicture("level_glyph_0"), WorkPicture("level_glyph_1")};
    for (const int speed : {8, 1, 0, 9, 12, -3}) {
        Game.Speed = speed;
        DrawSpeed(PrimarySlot);
        const Picture digit = Digit(std::clamp(speed, 0, 9));
        const int x = FindPicture(digit, panel.destX, panel.destX + panel.width() - digit.width(), panel.destY);
        EXPECT_TRUE(x >= 0 && BackgroundAround(panel, digit, x)) << "speed " << speed;
    }
    for (const int level : {1, 0, 1}) {
        Game.Level = level;
        DrawLevelGlyph(PrimarySlot);
        const Picture& glyph = levels[level];
        EXPECT_TRUE(ShowsAtItsPlace(glyph) && BackgroundAround(WorkPicture("level_glyph_bg"), glyph, glyph.destX)) << level;
    }
}

TEST_F(DrawingTest, BlockGaugeShowsOneMarkPerBlockStillAllowedPackedToTheRight) {
    const Picture gauge = WorkPicture("gauge_bg"), mark = WorkPicture("gauge_mark");
    const int end = gauge.destX + gauge.width();
    for (const auto& [mode, state, blocks] : {std::tuple{1, Playing, 15}, {1, Playing, 0}, {1, Playing, 39},
                                              {1, Playing, 40}, {1, Stopped, 3}, {0, Playing, 3}}) {
        Game.GameMode = mode, Game.ScreenState = state, Game.PieceCount = blocks;
        DrawBlockGauge(PrimarySlot);
        std::vector<int> marks;   // one column apart, ending one short of the gauge's end
        for (int x = end - mark.width() - 1; ShowsPicture(mark, x, gauge.destY); x -= mark.width() + 1) marks.push_back(x);
        EXPECT_EQ(marks.size(), mode == 1 && state == Playing ? size_t(40 - blocks) : 0u) << blocks << " blocks";
        const int left = marks.empty() ? end : marks.back();
        EXPECT_TRUE(ShowsPicture(PartOf(gauge, 0, 0, left - gauge.destX, gauge.height()), gauge.destX, gauge.destY));
    }
}

TEST_F(DrawingTest, ModeOneCellsShowBlocksLineEndsCursorAndWalls) {
    Game.GameMode = 1, Game.LineEnd = {2, 1}, Game.KeyCursor = {-1, -1};
    std::memset(Game.Board, 0, sizeof Game.Board);
    const struct { int col; uint8_t code; Picture shown; } cells[] = {
        {0, 0, WorkPicture("mode1_empty")},      {1, 129, WorkPicture("mode1_block_129")},
        {2, 129, WorkPicture("mode1_block_129_end")}, {3, 131, WorkPicture("mode1_block_131")},
        {4, kLineCross, WorkPicture("mode1_line_cross")}, {5, kLineHorizontal, WorkPicture("mode1_line_h")}};
    for (const auto& c : cells) Game.Board[CellIndex(c.col, 1)] = c.code;
    DrawBoard(PrimarySlot);
    for (const auto& c : cells) EXPECT_TRUE(ShowsPicture(c.shown, CellX(c.col), CellY(1))) << "column " << c.col;

    // The key cursor's frame is keyed over the cell, and walls go on over both,
    // flush against their side and centred along it.
    const Picture frame = WorkPicture("kbd_cursor_frame"), empty = WorkPicture("mode1_empty");
    LockSlot(WorkSlot);
    Display.Slots[WorkSlot].pixels[(frame.top + 17) * Display.Slots[WorkSlot].pitch + frame.left + 17] = 0;
    UnlockSlot(WorkSlot);
    const char* const kSideNames[4] = {"west", "north", "east", "south"};
    Game.KeyCursor = {5, 5};
    for (int side = 0; side < 4; ++side) {
        std::memset(Game.Walls, 0, sizeof Game.Walls);
        Game.Walls[CellIndex(5, 5) * 4 + side] = 1;
        DrawCell(5, 5, PrimarySlot);
        const Picture bar = Named(std::string("wall_") + kSideNames[side]);
        const int x = side == West ? 0 : side == East ? kCellSize - bar.width() : (kCellSize - bar.width()) / 2;
        const int y = side == North ? 0 : side == South ? kCellSize - bar.height() : (kCellSize - bar.height()) / 2;
        EXPECT_TRUE(ShowsPicture(bar, CellX(5) + x, CellY(5) + y)) << "side " << side;
        EXPECT_EQ(PixelOf(PrimarySlot, CellX(5) + 17, CellY(5) + 17), PixelOf(WorkSlot, empty.left + 17, empty.top + 17));
        EXPECT_EQ(PixelOf(PrimarySlot, CellX(5) + 3, CellY(5) + 17), PixelOf(WorkSlot, frame.left + 3, frame.top + 17));
    }
}

// Text read back off the screen, drawn in a font whose glyphs are a full top
// row over the bits of their own code; a gap wider than an advance is a space.
static std::string ReadText(const ScreenArea& area, uint16_t colour) {
    const auto ink = [colour](int x, int y) { return PixelOf(PrimarySlot, x, y) == colour; };
    std::string text;
    for (int y = area.y; y + 1 < area.y + area.h && text.empty(); ++y)
        for (int x = area.x, end = -1; x + 8 <= area.x + area.w; ++x) {
            bool top = true;
            for (int i = 0; i < 8; ++i) top = top && ink(x + i, y);
            if (!top) continue;
            if (end >= 0 && x - end > 2) text += ' ';
            text += '\0';
            for (int i = 0; i < 8; ++i) text.back() = char(text.back() | (ink(x + i, y + 1) ? 0x80 >> i : 0));
            end = x + 8, x += 7;
        }
    return text;
}

TEST_F(DrawingTest, PieceCountersShowEachKindAndTheTotalInModeTwoOnly) {
    std::vector<uint8_t> image = {1, 0, 2, 0, 32};
    for (int code = 32; code < 128; ++code) image.insert(image.end(), {uint8_t(code == ' ' ? 0 : 0xFF), uint8_t(code)});
    ASSERT_TRUE(MakeFont(std::move(image), Text.LargeFont));
    const Picture strip = WorkPicture("counter_strip");
    const ScreenArea area{strip.destX, strip.destY, strip.width(), strip.height()};
    Game.GameMode = 2;
    Text.ColourTable[27] = 0x1234;
    for (int i = 0; i < kCells; ++i) Game.Board[i] = i % 8 == 7 ? kEmptyPipeCell : static_cast<uint8_t>(i % 8);
    DrawPieceCounters();
    EXPECT_EQ(ReadText(area, 0x1234), "72 36 18") << "corners, straights, crosses";
    EXPECT_EQ(ReadText(area, 0xFFFF), "Total: 126");
    int x = area.x;
    for (const Picture& icon : {WorkPicture("pipe_6"), WorkPicture("pipe_2"), WorkPicture("pipe_0")})
        ASSERT_GE(x = FindPicture(icon, x, area.x + area.w - icon.width(), area.y), 0) << "a corner, a straight, a cross";

    Game.GameMode = 0;
    const Picture other = PartOf(WorkPicture("top_bar"), 0, 0, strip.width(), strip.height());
    CopyPicture(other, area.x, area.y, PrimarySlot);
    DrawPieceCounters();
    EXPECT_TRUE(ShowsPicture(other, area.x, area.y));
}
