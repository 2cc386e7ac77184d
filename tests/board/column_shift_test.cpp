// The mode-2 column shift: which gap each arrow closes, what moves with the
// columns, the knock when columns meet, and the loops a shift closes.
#include "board/column_shift.h"

#include <string>

#include "engine_fixture.h"

class ColumnShiftTest : public EngineTest {
public:
    // Crosses (which never close a loop alone) in the lower half of the
    // columns marked '#', locked in the bottom row of every odd column.
    static void FillColumns(const std::string& pattern) {
        EmptyBoard();
        Game.GameMode = 2;
        for (int col = 0; col < 12; ++col)
            for (int row = 6; row < 12 && pattern[col] == '#'; ++row) {
                Place({{col, row, 0}});
                Game.LockFlags[CellIndex(col, row)] = row == 11 && col % 2;
            }
    }
    static std::string Columns() {
        std::string s(12, '.');
        for (int col = 0; col < 12; ++col) s[col] = ColumnEmpty(col) ? '.' : '#';
        return s;
    }
};

TEST_F(ColumnShiftTest, EachArrowClosesItsOwnGap) {
    const struct { const char* before; int key; const char* after; } cases[] = {
        {"####..######", kLeftArrowKey, "####.######."},   // the rightmost gap with pieces right of it
        {"####.######.", kLeftArrowKey, "##########.."},
        {"####..######", kRightArrowKey, ".####.######"},  // the leftmost gap with pieces left of it
        {"..##########", kLeftArrowKey, ".##########."},
        {"##########..", kRightArrowKey, ".##########."},
        {"##########..", kLeftArrowKey, "##########.."},   // no gap with pieces to its right
        {"..##########", kRightArrowKey, "..##########"},  // no gap with pieces to its left
        {"############", kLeftArrowKey, "############"},
        {"............", kRightArrowKey, "............"},
        {"#..........#", 0x26, "#.........#."},            // any key but the right arrow pulls left
    };
    for (const auto& c : cases) {
        FillColumns(c.before);
        ShiftColumns(c.key);
        EXPECT_EQ(Columns(), c.after) << c.before << " key " << c.key;
    }
}

TEST_F(ColumnShiftTest, ColumnsMoveWholeWithLocksAndGapsShowAtOnceAndKnockWhenTheyMeet) {
    HearEffects();
    FillColumns("####..######");
    Place({{7, 0, 2}});   // high in column 7, empty cells below it
    ShiftColumns(kLeftArrowKey);
    EXPECT_EQ(Codes({{6, 0}, {6, 3}, {11, 11}}), (std::vector<int>{2, kEmptyPipeCell, kEmptyPipeCell}));
    for (int col = 5; col <= 11; ++col) EXPECT_EQ(Game.LockFlags[CellIndex(col, 11)], col < 11 && col % 2 == 0) << col;
    EXPECT_TRUE(ShowsPicture(WorkPicture("empty_cell"), CellX(11), CellY(11))) << "the emptied column shows at once";
    EXPECT_TRUE(EffectsHeard().empty()) << "the shifted columns met an empty one";
    ShiftColumns(kLeftArrowKey);   // column 4 meets column 3
    ShiftColumns(kLeftArrowKey);   // no gap left
    EXPECT_EQ(EffectsHeard(), std::vector<int>{11});
}

TEST_F(ColumnShiftTest, ALoopTheShiftClosesScoresThreeAStepAndTwoASpeedStep) {
    Game.GameMode = 2, Game.Speed = 3;
    Place({{3, 9, 4}, {3, 10, 3}, {5, 9, 5}, {5, 10, 6}, {0, 11, 0}, {1, 11, 0}});
    ShiftColumns(kLeftArrowKey);
    EXPECT_EQ(Game.Score, 3 * 4 + 2 * 3 - 4);
    EXPECT_TRUE(Game.PieceCount == 2 && Game.ScreenState == Playing);
}
