// The mode-2 column shift: which gap each arrow closes, and the loops it closes.
#include "board/column_shift.h"

#include <string>

#include "engine_fixture.h"

namespace {

class ColumnShiftTest : public EngineTest {
public:
    void SetUp() override {
        EngineTest::SetUp();
        Game.GameMode = 2;
    }
    // Crosses (which can never close a loop alone) down the given columns, each
    // cross locked in the bottom row so the flags can be followed.
    static void FillColumns(const std::string& pattern) {
        EmptyBoard();
        for (int col = 0; col < 12; ++col) {
            if (pattern[col] != '#') continue;
            for (int row = 6; row < 12; ++row) Place({{col, row, 0}});
            Game.LockFlags[CellIndex(col, 11)] = static_cast<uint8_t>(col % 2);
        }
    }
    static std::string Columns() {
        std::string s(12, '.');
        for (int col = 0; col < 12; ++col)
            if (!ColumnEmpty(col)) s[col] = '#';
        return s;
    }
};

TEST_F(ColumnShiftTest, EachArrowClosesItsOwnGap) {
    struct Case {
        const char* before;
        int key;
        const char* after;
    };
    const Case cases[] = {
        {"####..######", kLeftArrowKey, "####.######."},   // gap 5, the rightmost with pieces right of it
        {"####.######.", kLeftArrowKey, "##########.."},   // then gap 4
        {"####..######", kRightArrowKey, ".####.######"},  // gap 4, the leftmost with pieces left of it
        {"..##########", kLeftArrowKey, ".##########."},   // the left arrow pulls towards an empty left side
        {"##########..", kRightArrowKey, ".##########."},
        {"##########..", kLeftArrowKey, "##########.."},   // no gap with pieces to its right
        {"..##########", kRightArrowKey, "..##########"},  // no gap with pieces to its left
        {"############", kLeftArrowKey, "############"},
        {"............", kRightArrowKey, "............"},
        {"#..........#", 0x26, "#.........#."},            // any key but the right arrow pulls left
    };
    for (const Case& c : cases) {
        FillColumns(c.before);
        ShiftColumns(c.key);
        EXPECT_EQ(Columns(), c.after) << c.before << " key " << c.key;
    }
}

TEST_F(ColumnShiftTest, ColumnsMoveWholeWithTheirLocksAndEmptyCells) {
    FillColumns("####..######");
    Place({{7, 0, 2}});   // a piece high in column 7 with empty cells below it
    ShiftColumns(kLeftArrowKey);
    EXPECT_EQ(At(6, 0), 2);
    EXPECT_EQ(At(6, 3), kEmptyPipeCell) << "pieces do not fall during a shift";
    for (int col = 5; col <= 10; ++col)
        EXPECT_EQ(Game.LockFlags[CellIndex(col, 11)], (col + 1) % 2) << "column " << col;
    EXPECT_EQ(Game.LockFlags[CellIndex(11, 11)], 0);
    // The new frame is on screen.
    EXPECT_TRUE(ShowsWork(0, 616, 34, 650, CellX(6), CellY(11)));
    EXPECT_TRUE(ShowsWork(560, 581, 594, 615, CellX(11), CellY(11)));
}

TEST_F(ColumnShiftTest, ALoopClosedByTheShiftScoresWithTheAward) {
    EmptyBoard();
    Game.Speed = 3;
    Place({{3, 9, 4}, {3, 10, 3}, {5, 9, 5}, {5, 10, 6}, {0, 11, 0}, {1, 11, 0}});
    ShiftColumns(kLeftArrowKey);
    EXPECT_EQ(Game.Score, 3 * 4 + 2 * 3 - 4);
    EXPECT_EQ(Game.PieceCount, 2);
    EXPECT_EQ(Game.ScreenState, Playing);
}

}  // namespace

TEST_F(ColumnShiftTest, TheKnockSoundsOnceWhenShiftedColumnsMeet) {
    HearEffects();
    FillColumns("####..######");
    ShiftColumns(kLeftArrowKey);  // columns 6..11 move to 5..10; column 4 stays empty
    EXPECT_TRUE(EffectsPlayed().empty());
    ShiftColumns(kLeftArrowKey);  // now 4 and 3 stand side by side, row after row
    EXPECT_EQ(EffectsPlayed(), std::vector<int>{11});
    platform::headless::Get().effectsPlayed.clear();
    ShiftColumns(kLeftArrowKey);  // nothing left to close
    EXPECT_TRUE(EffectsPlayed().empty());
}
