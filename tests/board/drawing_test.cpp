// Where the board and panel pictures land, by the atlas names they come from.
#include "board/drawing.h"

#include <algorithm>
#include <string>

#include "board/pieces.h"
#include "engine_fixture.h"

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

TEST_F(DrawingTest, SpeedGlyphSitsInsideItsPanelOverAFreshBackground) {
    const Picture panel = WorkPicture("speed_panel_bg");
    for (const int speed : {8, 1, 0, 9, 12, -3}) {
        Game.Speed = speed;
        DrawSpeed(PrimarySlot);
        const Picture digit = Digit(std::clamp(speed, 0, 9));
        const int x = FindPicture(digit, panel.destX, panel.destX + panel.width() - digit.width(), panel.destY);
        EXPECT_TRUE(x >= 0 && BackgroundAround(panel, digit, x)) << "speed " << speed;
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

// The key cursor's frame is keyed over an empty mode-1 cell, and walls go on
// over both, flush against their side and centred along it.
TEST_F(DrawingTest, ModeOneWallsGoOverTheCursorFrameOverTheCell) {
    Game.GameMode = 1;
    std::memset(Game.Board, 0, sizeof Game.Board);
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
