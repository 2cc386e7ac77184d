// Mode 1's lines: steps and their refusals, the keyboard, and a closed line's removal. A crossing
// taken back is replayed in the mode1_lines scenario.
#include "moves/lines.h"

#include <cstring>
#include <vector>

#include "board/engine_fixture.h"
#include "graphics/cursor.h"

namespace {

class LinesTest : public EngineTest {
public:
    void SetUp() override {
        EngineTest::SetUp();
        Game.GameMode = 1;
        HearEffects();
        NewBoard();
    }
    static void NewBoard() {
        std::memset(Game.Board, 0, sizeof Game.Board);
        std::memset(Game.Walls, 0, sizeof Game.Walls);
        Game.LineEnd = Game.LineStart = {-1, -1};
        Game.KeyCursor = {6, 6};
        Forget();
    }
    static void Blocks(std::initializer_list<CellPos> cells) {
        for (const CellPos c : cells) Game.Board[CellIndex(c.col, c.row)] = kBlock;
        Game.PieceCount += static_cast<int>(cells.size());
    }
    static void Press(CellPos c, int button = 0) {
        Cursor.CursorX = static_cast<int16_t>(CellX(c.col) + 17);
        Cursor.CursorY = static_cast<int16_t>(CellY(c.row) + 17);
        ClickBlock(button);
    }
    static void Forget() { platform::headless::Get().effectsPlayed.clear(); }
    static bool Shows(const Picture& p, CellPos c) { return ShowsPicture(p, CellX(c.col), CellY(c.row)); }
};

// The explosions, their pace and the keyboard cursor's return are replayed in
// the mode1_lines scenario.
TEST_F(LinesTest, AClosedLineRemovesItsJoinedBlocksOnlyAndScoresBySpeed) {
    Game.Speed = 4;
    Blocks({{2, 2}, {7, 2}, {7, 6}, {2, 6}, {9, 9}});
    Press({2, 2});
    Press({7, 2});
    // The block reached keeps the link back along the step.
    EXPECT_EQ(Codes({{2, 2}, {3, 2}, {6, 2}, {7, 2}}), (std::vector<int>{132, 16, 16, 129}));
    EXPECT_TRUE(Shows(WorkPicture("mode1_block_129_end"), {7, 2}));
    for (const CellPos c : {CellPos{7, 6}, {2, 6}, {2, 2}}) Press(c);
    EXPECT_EQ(Game.Score, 2 * (4 + 4) + 4 - 4);
    EXPECT_EQ(Game.PieceCount, 1);
    EXPECT_EQ(Codes({{9, 9}, {2, 2}, {4, 2}}), (std::vector<int>{kBlock, 0, 0}));
}

TEST_F(LinesTest, RefusedStepsLeaveTheLineAsItWas) {
    struct Case {
        const char* what;
        bool wall;   // east of (4,2)
        std::vector<CellPos> blocks, path;
        CellPos refused;
        std::vector<int> effects;
    };
    const std::vector<CellPos> hook = {{2, 0}, {2, 2}, {7, 2}, {7, 6}, {2, 6}};   // back onto (2,2), already joined
    const Case cases[] = {
        {"a wall", true, {{2, 2}, {7, 2}}, {{2, 2}}, {7, 2}, {9}},
        {"out of line", false, {{2, 2}, {7, 3}}, {{2, 2}}, {7, 3}, {}},
        {"back along the last step", false, {{2, 2}, {7, 2}}, {{2, 2}, {7, 2}}, {2, 2}, {}},
        {"a block in the way", false, {{2, 2}, {4, 2}, {7, 2}}, {{2, 2}}, {7, 2}, {}},
        {"a joined block", false, hook, hook, {2, 2}, {}},
    };
    for (const Case& c : cases) {
        NewBoard();
        for (const CellPos b : c.blocks) Blocks({b});
        Game.Walls[CellIndex(4, 2) * 4 + 2] = Game.Walls[CellIndex(5, 2) * 4 + 0] = c.wall;
        for (const CellPos p : c.path) Press(p);
        uint8_t board[kCells];
        std::memcpy(board, Game.Board, sizeof board);
        const CellPos end = Game.LineEnd;
        Forget();
        Press(c.refused);
        EXPECT_EQ(std::memcmp(board, Game.Board, sizeof board), 0) << c.what;
        EXPECT_EQ(Game.LineEnd, end) << c.what;
        EXPECT_EQ(EffectsHeard(), c.effects) << c.what;
    }
}

TEST_F(LinesTest, TheKeyboardDrawsFromItsCursorWhichHidesMeanwhile) {
    Blocks({{7, 6}, {7, 2}, {2, 2}, {2, 6}});
    LineKey(' ');
    LineKey('A');
    EXPECT_EQ(Game.LineEnd.col, -1) << "space on an empty cell, and a letter";
    LineKey(39);   // right
    LineKey(' ');
    EXPECT_EQ(Game.KeyCursor, (CellPos{-1, -1}));
    EXPECT_TRUE(Shows(WorkPicture("mode1_block_128_end"), {7, 6})) << "no frame over the line's start";
    LineKey(38);   // up to (7,2)
    LineKey(40);   // down, back along the step: taken back
    EXPECT_EQ(Game.LineEnd, (CellPos{7, 6}));
    Game.KeyCursor = {0, 0};
    LineKey(37);
    LineKey(38);
    EXPECT_EQ(Game.KeyCursor, (CellPos{0, 0})) << "the cursor stops at the edges";
}

}  // namespace
