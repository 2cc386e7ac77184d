// The piece tables, checked against the openings rather than copies of themselves;
// finding, scoring and clearing loops, and the compaction after a clear.
#include "board/loops.h"

#include <algorithm>
#include <random>
#include <string>

#include "board/pieces.h"
#include "engine_fixture.h"

using LoopTest = EngineTest;
constexpr int E = kEmptyPipeCell;

TEST(Pieces, RotationTurnsEveryOpeningAndEdgeKindsCloseTheirEdge) {
    for (uint8_t k = 0; k < 7; ++k) {
        for (int side = 0; side < 4; ++side)
            EXPECT_EQ(OpensToward(k, side), OpensToward(Rotated(k, 1), (side + 1) % 4)) << int(k) << " side " << side;
        EXPECT_EQ(Rotated(Rotated(k, 1), 0), k) << int(k);
    }
    EXPECT_TRUE(Rotated(kEmptyPipeCell, 0) == kEmptyPipeCell && Rotated(kEmptyPipeCell, 1) == kEmptyPipeCell);
    // The kinds an edge may hold never open off the board. (Walks through the
    // pieces are checked by the oracle below.)
    const int outward[4] = {West, East, North, South};   // by Edge
    for (int edge = 0; edge < 4; ++edge)
        for (uint32_t i = 0; i < 3; ++i) EXPECT_FALSE(OpensToward(EdgeKind(edge, i), outward[edge])) << edge << i;
}

// The four corners of the smallest loop, its top-left at (c, r).
static void PlaceSquareLoop(int c, int r) {
    EngineTest::Place({{c, r, 4}, {c + 1, r, 5}, {c, r + 1, 3}, {c + 1, r + 1, 6}});
}

TEST_F(LoopTest, ClearingWithoutAwardExplodesAndEmptiesEachCellInTimeForNoScore) {
    HearEffects();
    Game.GameMode = 1;
    PlaceSquareLoop(2, 7);
    ASSERT_TRUE(ClearLoops(false));
    EXPECT_EQ(Game.Score, 0);
    EXPECT_GE(platform::headless::NowMs(), 800 + 4 * 80 + 300) << "lit, four explosions, the pause";
    for (const auto& [c, r] : {std::pair{2, 7}, {3, 7}, {2, 8}, {3, 8}})
        EXPECT_TRUE(ShowsPicture(WorkPicture("empty_cell"), CellX(c), CellY(r))) << c << "," << r;
    for (const uint8_t mark : Game.LoopMarks) ASSERT_EQ(mark, 0);
    EXPECT_EQ(EffectsHeard(), (std::vector<int>{12, 12, 12, 12, 5})) << "a crackle per cell, then the chord";
}

TEST_F(LoopTest, ModeZeroSettlesTowardsTheCentreAndClearsWhatTheSettleCloses) {
    PlaceSquareLoop(5, 5);
    Place({{4, 5, 1}, {5, 4, 3}, {7, 6, 2}, {5, 8, 0}});
    Game.LockFlags[CellIndex(7, 6)] = 1;
    ASSERT_TRUE(ClearLoops(true));
    // (5, 5) pulls from its west before its north, (6, 6) from its east, the lock
    // with it; (5, 8) climbs to (5, 6).
    EXPECT_EQ(Codes({{5, 5}, {5, 4}, {6, 6}, {5, 6}, {4, 5}, {7, 6}, {5, 8}}), (std::vector<int>{1, 3, 2, 0, E, E, E}));
    EXPECT_EQ(Codes({{6, 6}, {7, 6}}, Game.LockFlags), (std::vector<int>{1, 0}));
    EXPECT_EQ(Game.PieceCount, 4);
    EXPECT_TRUE(ShowsPicture(WorkPicture("pipe_1"), CellX(5), CellY(5)));

    EmptyBoard();
    Game.Score = 0;
    PlaceSquareLoop(5, 5);
    Place({{4, 5, 4}, {7, 5, 5}, {4, 6, 3}, {7, 6, 6}});   // a second square, split around the first
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_TRUE(Game.Score == 16 && Game.PieceCount == 0 && Game.ScreenState == Playing) << "mode 0 plays on";
}

TEST_F(LoopTest, ModeTwoPiecesFallWithTheirLocksAndAnEmptiedBoardEarnsTheBonus) {
    Game.GameMode = 2;
    PlaceSquareLoop(0, 10);
    Place({{0, 0, 1}, {1, 9, 2}, {5, 11, 0}});
    Game.LockFlags[CellIndex(0, 0)] = 1;
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_EQ(Codes({{0, 11}, {1, 11}, {5, 11}, {0, 0}, {0, 10}, {1, 10}}), (std::vector<int>{1, 2, 0, E, E, E}));
    EXPECT_EQ(Codes({{0, 11}, {0, 0}}, Game.LockFlags), (std::vector<int>{1, 0}));
    EXPECT_TRUE(Game.PieceCount == 3 && Game.ScreenState == Playing);

    EmptyBoard();   // what ending on an emptied board shows and asks is in SpawnTest's ends
    Game.Score = 0;
    PlaceSquareLoop(4, 4);
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_TRUE(Game.Score == 8 + 100 && Game.ScreenState == GameOver);
}

// A brute-force oracle: every path of a piece is a node (a cross has two),
// joined to the node it faces; a component is a loop exactly when no node in it
// faces nothing. A cross's vertical path adds 2 to its mark, every other 1.
struct Oracle {
    struct Node { int cell; uint8_t sides, weight; };
    std::vector<Node> nodes;
    explicit Oracle(const uint8_t* board) {
        // The paths of each kind by their open sides, a bit per direction (west, north, east, south).
        static const std::vector<uint8_t> kPaths[7] = {{0b0101, 0b1010}, {0b1010}, {0b0101}, {0b0110},
                                                       {0b1100},         {0b1001}, {0b0011}};
        for (int cell = 0; cell < kCells; ++cell)
            for (const uint8_t sides : board[cell] <= 6 ? kPaths[board[cell]] : std::vector<uint8_t>{})
                nodes.push_back({cell, sides, uint8_t(board[cell] == 0 && sides == 0b1010 ? 2 : 1)});
    }
    int Facing(const Node& n, int d) const {
        const int col = n.cell % 12 + kStepCol[d], row = n.cell / 12 + kStepRow[d];
        for (int m = 0; m < int(nodes.size()) && OnBoard(col, row); ++m)
            if (nodes[m].cell == row * 12 + col && nodes[m].sides & 1 << (d + 2) % 4) return m;
        return -1;
    }
    std::vector<int> LoopOf(int n) const {   // n's component when it is a loop; empty otherwise
        std::vector<int> seen{n};
        for (size_t i = 0; i < seen.size(); ++i)
            for (int d = 0; d < 4; ++d) {
                if (!(nodes[seen[i]].sides & 1 << d)) continue;
                const int k = Facing(nodes[seen[i]], d);
                if (k < 0) return {};
                if (std::find(seen.begin(), seen.end(), k) == seen.end()) seen.push_back(k);
            }
        return seen;
    }
};

TEST_F(LoopTest, FindLoopFromAgreesWithABruteForceOracleOnRandomBoards) {
    int loopsSeen = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("board seed " + std::to_string(seed));
        std::mt19937 generator(seed);
        // Random boards seldom hold loops, so squares of four corners are laid
        // first and then partly overwritten: loops merge through crosses and
        // straights, break open, or survive.
        for (int r = 0; r < 12; r += 2)
            for (int c = 0; c < 12; c += 2) PlaceSquareLoop(c, r);
        for (int i = 0, rewrites = 10 + static_cast<int>(seed % 5) * 15; i < rewrites; ++i) {
            const int draw = static_cast<int>(generator() % 8);
            Game.Board[generator() % kCells] = draw == 7 ? kEmptyPipeCell : static_cast<uint8_t>(draw);
        }
        const Oracle oracle(Game.Board);
        // The scan of ClearLoops: row-major, starts on 1..6 only, marks accumulate.
        uint8_t marks[kCells] = {};
        int listings[kCells] = {}, score = 0;
        Game.Score = 0, Game.LoopCellLast = -1;
        std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
        for (int n = 0; n < int(oracle.nodes.size()); ++n) {
            const int cell = oracle.nodes[n].cell;
            if (Game.Board[cell] < 1 || Game.Board[cell] > 6) continue;
            const std::vector<int> loop = marks[cell] ? std::vector<int>{} : oracle.LoopOf(n);
            ASSERT_EQ(FindLoopFrom(cell / 12, cell % 12, true), !loop.empty()) << "cell " << cell;
            loopsSeen += !loop.empty();
            bool listed[kCells] = {};
            for (const int m : loop) {
                const Oracle::Node& node = oracle.nodes[m];
                marks[node.cell] += node.weight;
                listings[node.cell] += !listed[node.cell];
                listed[node.cell] = true;
            }
            score += loop.empty() ? 0 : 3 * static_cast<int>(loop.size()) - 4;
            ASSERT_EQ(Game.Score, score) << "cell " << cell;
        }
        ASSERT_EQ(std::memcmp(Game.LoopMarks, marks, kCells), 0);
        // Every cell is listed once for each loop through it, within the list's room.
        ASSERT_LT(Game.LoopCellLast, kLoopListCapacity);
        int listedFor[kCells] = {};
        for (int i = 0; i <= Game.LoopCellLast; ++i) ++listedFor[Game.LoopCellRow[i] * 12 + Game.LoopCellCol[i]];
        for (int cell = 0; cell < kCells; ++cell) ASSERT_EQ(listedFor[cell], listings[cell]) << "cell " << cell;
    }
    EXPECT_GT(loopsSeen, 1000) << "the boards should hold loops to compare";
}
