// Turning pieces and the lit trace of a pipe. Mode 2's sideways drag is replayed in
// the mode2_moves scenario.
#include "moves/rotation.h"

#include "board/engine_fixture.h"
#include "graphics/cursor.h"
#include "moves/moves_state.h"

namespace {

class RotationTest : public EngineTest {
public:
    static void PointAt(int col, int row) {
        Cursor.CursorX = static_cast<int16_t>(CellX(col) + 17);
        Cursor.CursorY = static_cast<int16_t>(CellY(row) + 17);
    }
    static void Press(int col, int row, int button) {
        PointAt(col, row);
        BoardPress(button);
    }
};

// A turn clicks; a cross or an empty cell stays silent; a locked piece refuses
// with the wall's knock at level 1 only.
TEST_F(RotationTest, LeftTurnsCounterClockwiseRightClockwiseCrossesNeverAndLocksHoldAtLevelOne) {
    HearEffects();
    struct Case {
        uint8_t code;
        int button;
        bool locked;
        int level;
        uint8_t after;
        std::vector<int> heard;
    };
    const Case cases[] = {{3, 0, false, 0, 6, {3}}, {3, 1, false, 1, 4, {3}}, {1, 0, false, 0, 2, {3}},
                          {2, 1, false, 0, 1, {3}}, {0, 0, false, 0, 0, {}},  {3, 0, true, 1, 3, {9}},
                          {3, 0, true, 0, 6, {3}},  {kEmptyPipeCell, 1, false, 0, kEmptyPipeCell, {}}};
    for (const Case& c : cases) {
        EmptyBoard();
        Place({{4, 4, c.code}});
        Game.LockFlags[CellIndex(4, 4)] = c.locked, Game.Level = c.level;
        platform::headless::Get().effectsPlayed.clear();
        Press(4, 4, c.button);
        EXPECT_EQ(At(4, 4), c.after) << int(c.code) << " button " << c.button << " locked " << c.locked;
        EXPECT_EQ(EffectsHeard(), c.heard) << int(c.code) << " button " << c.button << " locked " << c.locked;
    }
}

// The explosions and the clear itself are replayed in the mode0_loop scenario.
TEST_F(RotationTest, ATurnThatClosesALoopScoresBySpeedAndDropsTheGrab) {
    // Three corners of the smallest loop, the fourth one turn away.
    Place({{4, 4, 4}, {5, 4, 5}, {4, 5, 3}, {5, 5, 3}});
    Moves.GrabCell = {5, 5};
    Game.Speed = 2;
    Press(5, 5, 0);   // 3 turns counter-clockwise into 6
    EXPECT_EQ(Game.Score, 8 + 2 * 2);
    EXPECT_TRUE(Game.PieceCount == 0 && Moves.GrabCell.col == -1);
}

TEST_F(RotationTest, TraceMarksBothWaysAndCrossesByThePathsUsed) {
    // A pipe west-east through a cross at (5,4), and a cross at (7,4) also
    // entered from the north by the corner above it.
    Place({{3, 4, 2}, {4, 4, 2}, {5, 4, 0}, {6, 4, 2}, {7, 4, 0}, {7, 3, 1}, {7, 2, 4}, {8, 2, 6}, {8, 1, 1}});
    uint8_t marks[kCells] = {};
    ASSERT_TRUE(TraceMarks(4, 4, marks));
    // From the start both ways; the crosses passed east-west only, so the pipe above (7,4) is another one.
    EXPECT_EQ(Codes({{3, 4}, {4, 4}, {5, 4}, {7, 4}, {7, 3}}, marks), (std::vector<int>{1, 1, 1, 1, 0}));
    uint8_t fromAbove[kCells] = {};
    ASSERT_TRUE(TraceMarks(3, 7, fromAbove));
    EXPECT_EQ(Codes({{7, 4}, {8, 1}, {6, 4}}, fromAbove), (std::vector<int>{2, 1, 0})) << "(7,4) entered north-south";
    // A piece whose neighbours do not face it lights nothing and waits for nothing.
    EmptyBoard();
    Place({{2, 2, 1}, {2, 1, 2}});
    uint8_t none[kCells] = {};
    EXPECT_FALSE(TraceMarks(2, 2, none));
    const int64_t before = platform::headless::NowMs();
    TraceConnection(2, 2);
    EXPECT_EQ(platform::headless::NowMs(), before);
}

TEST_F(RotationTest, ATraceLightsFor150MsThenShowsThePiecesAgain) {
    Place({{3, 4, 2}, {4, 4, 1}, {5, 4, 2}});
    const int64_t before = platform::headless::NowMs();
    Press(4, 4, 0);   // the straight turns to join both neighbours
    EXPECT_EQ(At(4, 4), 2);
    EXPECT_GE(platform::headless::NowMs() - before, 150);
    constexpr Picture kStraight = WorkPicture("pipe_2");
    for (int col : {3, 4, 5}) EXPECT_TRUE(ShowsPicture(kStraight, CellX(col), CellY(4))) << col;
}

}  // namespace
