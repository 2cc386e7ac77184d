// Loop finding, scoring, clearing and the compaction after a clear.
#include "board/loops.h"

#include <cstdio>
#include <random>
#include <vector>

#include "board/drawing.h"
#include "board/pieces.h"
#include "engine_fixture.h"

namespace {

using LoopTest = EngineTest;

// The scan of ClearLoops without the removal.
void ClearLoopsScanOnly() {
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    Game.LoopCellLast = -1;
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col)
            if (Game.Board[CellIndex(col, row)] >= 1 && Game.Board[CellIndex(col, row)] <= 6) FindLoopFrom(row, col, true);
}

// The four corners of the smallest loop with its top-left at (c, r).
void PlaceSquareLoop(int c, int r) {
    EngineTest::Place({{c, r, 4}, {c + 1, r, 5}, {c, r + 1, 3}, {c + 1, r + 1, 6}});
}

TEST_F(LoopTest, SmallestLoopScoresEightPlusTwiceTheSpeed) {
    for (const int speed : {0, 4, 9}) {
        ResetGameState();
        EmptyBoard();
        PlaceSquareLoop(3, 3);
        Game.Speed = speed;
        ASSERT_TRUE(FindLoopFrom(3, 3, true));
        EXPECT_EQ(Game.Score, 8 + 2 * speed) << "speed " << speed;
        EXPECT_EQ(Game.LoopCellLast, 3);
        // The start cell is listed last, when the walk re-enters it.
        EXPECT_EQ(Game.LoopCellCol[3], 3);
        EXPECT_EQ(Game.LoopCellRow[3], 3);
    }
}

TEST_F(LoopTest, WithoutAwardALoopIsFoundButScoresNothing) {
    PlaceSquareLoop(0, 0);
    EXPECT_TRUE(FindLoopFrom(0, 0, false));
    EXPECT_EQ(Game.Score, 0);
    EXPECT_TRUE(ClearLoops(false));
    EXPECT_EQ(Game.Score, 0);
    EXPECT_EQ(Game.PieceCount, 0);
}

TEST_F(LoopTest, WalksThatDoNotCloseLeaveEverythingAsItWas) {
    struct Case {
        const char* what;
        std::vector<Placed> pieces;
    };
    const std::vector<Case> cases = {
        {"runs into an empty cell", {{3, 3, 4}, {4, 3, 5}, {3, 4, 3}}},
        {"meets a piece that does not face it", {{3, 3, 4}, {4, 3, 5}, {3, 4, 3}, {4, 4, 1}}},
        {"runs off the board", {{0, 0, 2}, {1, 0, 5}, {1, 1, 6}}},
    };
    for (const Case& c : cases) {
        EmptyBoard();
        for (const Placed& p : c.pieces) Place({p});
        Game.LoopCellLast = 7;   // entries of an earlier walk in the same scan
        const uint8_t before[kCells] = {};
        const int col = c.pieces[0].col, row = c.pieces[0].row;
        EXPECT_FALSE(FindLoopFrom(row, col, true)) << c.what;
        EXPECT_EQ(Game.LoopCellLast, 7) << c.what;
        EXPECT_EQ(std::memcmp(Game.LoopMarks, before, kCells), 0) << c.what;
        EXPECT_EQ(Game.Score, 0) << c.what;
    }
}

// Crosses: how often a loop uses one, its mark, and the lit picture it gets.
TEST_F(LoopTest, CrossesAreMarkedAndLitByThePathsTheLoopUses) {
    struct Case {
        const char* what;
        std::vector<Placed> pieces;
        int crossCol, crossRow;
        int steps;
        uint8_t mark;
        int picture;
    };
    const std::vector<Case> cases = {
        {"horizontal path only", {{1, 1, 4}, {2, 1, 0}, {3, 1, 5}, {1, 2, 3}, {2, 2, 2}, {3, 2, 6}}, 2, 1, 6, 1, 15},
        {"vertical path only", {{1, 1, 4}, {2, 1, 5}, {1, 2, 0}, {2, 2, 1}, {1, 3, 3}, {2, 3, 6}}, 1, 2, 6, 2, 14},
        {"both paths, a figure of eight",
         {{2, 2, 0}, {3, 2, 6}, {3, 1, 5}, {2, 1, 4}, {2, 3, 6}, {1, 3, 3}, {1, 2, 4}}, 2, 2, 8, 3, 7},
    };
    for (const Case& c : cases) {
        ResetGameState();
        EmptyBoard();
        Game.GameMode = 1;   // no compaction, so the lit pictures stay on screen
        for (const Placed& p : c.pieces) Place({p});
        ClearLoopsScanOnly();
        EXPECT_EQ(Game.Score, 3 * c.steps - 4) << c.what;
        EXPECT_EQ(Game.LoopMarks[CellIndex(c.crossCol, c.crossRow)], c.mark) << c.what;
        // Step 1 of the removal alone: an empty list means no explosions.
        Game.LoopCellLast = -1;
        RemoveLoops();
        EXPECT_TRUE(ShowsWork(35 * c.picture, 581, 35 * c.picture + 34, 615, CellX(c.crossCol), CellY(c.crossRow)))
            << c.what;
        EXPECT_EQ(At(c.crossCol, c.crossRow), kEmptyPipeCell) << c.what << ": the cross goes whole";
        EXPECT_EQ(Game.PieceCount, 0) << c.what;
    }
}

TEST_F(LoopTest, LockedPiecesLightUpFromTheLockedRow) {
    Game.GameMode = 1;
    PlaceSquareLoop(5, 5);
    Game.LockFlags[CellIndex(6, 6)] = 1;
    ASSERT_TRUE(FindLoopFrom(5, 5, false));
    Game.LoopCellLast = -1;
    RemoveLoops();
    EXPECT_TRUE(ShowsWork(35 * 13, 616, 35 * 13 + 34, 650, CellX(6), CellY(6)));
    EXPECT_TRUE(ShowsWork(35 * 11, 581, 35 * 11 + 34, 615, CellX(5), CellY(5)));
}

TEST_F(LoopTest, ClearingExplodesEachCellAndLeavesItEmpty) {
    HearEffects();
    Game.GameMode = 1;
    PlaceSquareLoop(2, 7);
    const int64_t before = platform::headless::NowMs();
    ASSERT_TRUE(ClearLoops(true));
    // 800 ms lit, 80 ms per explosion, 300 ms before the compaction.
    EXPECT_GE(platform::headless::NowMs() - before, 800 + 4 * 80 + 300);
    for (const auto& [c, r] : {std::pair{2, 7}, {3, 7}, {2, 8}, {3, 8}})
        EXPECT_TRUE(ShowsWork(560, 581, 594, 615, CellX(c), CellY(r)));
    for (const uint8_t mark : Game.LoopMarks) ASSERT_EQ(mark, 0);
    // One crackle per exploding cell, then the chord for the cleared loop.
    EXPECT_EQ(EffectsPlayed(), (std::vector<int>{12, 12, 12, 12, 5}));
}

TEST_F(LoopTest, SettleGathersPiecesAroundTheCentre) {
    PlaceSquareLoop(5, 5);
    Place({{4, 5, 1}, {7, 6, 2}, {5, 8, 0}});
    Game.LockFlags[CellIndex(7, 6)] = 1;
    ASSERT_TRUE(ClearLoops(true));
    // (5, 5) pulls from its west, (6, 6) from its east; (5, 8) moves up to (5, 6)
    // in two steps along its column.
    EXPECT_EQ(At(5, 5), 1);
    EXPECT_EQ(At(6, 6), 2);
    EXPECT_EQ(Game.LockFlags[CellIndex(6, 6)], 1);
    EXPECT_EQ(Game.LockFlags[CellIndex(7, 6)], 0);
    EXPECT_EQ(At(5, 6), 0);
    EXPECT_EQ(At(4, 5), kEmptyPipeCell);
    EXPECT_EQ(At(7, 6), kEmptyPipeCell);
    EXPECT_EQ(At(5, 8), kEmptyPipeCell);
    EXPECT_EQ(Game.PieceCount, 3);
    EXPECT_TRUE(ShowsWork(35, 581, 69, 615, CellX(5), CellY(5)));
}

TEST_F(LoopTest, LoopsThatTheSettleClosesAreClearedInTheSameCall) {
    PlaceSquareLoop(5, 5);
    // Four corners one cell outward, each on the side its centre cell pulls from.
    Place({{4, 5, 4}, {7, 5, 5}, {4, 6, 3}, {7, 6, 6}});
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_EQ(Game.Score, 16);
    EXPECT_EQ(Game.PieceCount, 0);
    // Mode 0 plays on with an empty board.
    EXPECT_EQ(Game.ScreenState, Playing);
}

TEST_F(LoopTest, ModeTwoPiecesFallIntoTheGaps) {
    Game.GameMode = 2;
    PlaceSquareLoop(0, 10);
    Place({{0, 8, 1}, {1, 9, 2}, {5, 11, 0}});
    Game.LockFlags[CellIndex(0, 8)] = 1;
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_EQ(At(0, 11), 1);
    EXPECT_EQ(Game.LockFlags[CellIndex(0, 11)], 1);
    EXPECT_EQ(At(1, 11), 2);
    EXPECT_EQ(At(5, 11), 0);
    EXPECT_EQ(At(0, 8), kEmptyPipeCell);
    EXPECT_EQ(At(0, 10), kEmptyPipeCell);
    EXPECT_EQ(Game.PieceCount, 3);
    EXPECT_EQ(Game.ScreenState, Playing);
}

TEST_F(LoopTest, EmptyingTheModeTwoBoardEarnsTheBonusAndEndsTheGame) {
    Game.GameMode = 2;
    PlaceSquareLoop(4, 4);
    ASSERT_TRUE(ClearLoops(true));
    EXPECT_EQ(Game.Score, 8 + 100);
    EXPECT_NE(Game.ScreenState, Playing);
    EXPECT_TRUE(ShowsWork(470, 132, 679, 271, 195, 262));
}

TEST_F(LoopTest, CanDropNeedsAnEmptyCellWithAPieceAbove) {
    Place({{3, 2, 1}});
    EXPECT_TRUE(CanDrop(3, 5));
    EXPECT_FALSE(CanDrop(3, 2));
    EXPECT_FALSE(CanDrop(3, 1));
    EXPECT_FALSE(CanDrop(4, 5));
}

// An oracle of its own: every path of a piece is a node (a cross has two), nodes
// facing each other are joined, and with at most two joins per node a component
// is a loop exactly when every node in it has two.
struct Oracle {
    struct Node {
        int cell;
        uint8_t sides;   // bit per direction
        uint8_t weight;  // what a pass adds to the cell's mark
    };
    std::vector<Node> nodes;
    std::vector<int> nodeAt[kCells];

    explicit Oracle(const uint8_t* board) {
        static const uint8_t kSides[7] = {0, 0b1010, 0b0101, 0b0110, 0b1100, 0b1001, 0b0011};
        for (int cell = 0; cell < kCells; ++cell) {
            const uint8_t code = board[cell];
            if (code > 6) continue;
            if (code == 0) {
                Add(cell, 0b0101, 1);
                Add(cell, 0b1010, 2);
            } else {
                Add(cell, kSides[code], 1);
            }
        }
    }
    void Add(int cell, uint8_t sides, uint8_t weight) {
        nodeAt[cell].push_back(static_cast<int>(nodes.size()));
        nodes.push_back({cell, sides, weight});
    }
    int Neighbour(int n, int d) const {
        const int col = nodes[n].cell % 12 + kStepCol[d], row = nodes[n].cell / 12 + kStepRow[d];
        if (col < 0 || col > 11 || row < 0 || row > 11) return -1;
        for (const int m : nodeAt[row * 12 + col])
            if (nodes[m].sides & (1 << ((d + 2) % 4))) return m;
        return -1;
    }
    // The nodes of n's component when it is a loop; empty otherwise.
    std::vector<int> LoopOf(int n) const {
        std::vector<int> seen{n}, todo{n};
        std::vector<bool> in(nodes.size());
        in[n] = true;
        bool loop = true;
        while (!todo.empty()) {
            const int m = todo.back();
            todo.pop_back();
            for (int d = 0; d < 4; ++d) {
                if (!(nodes[m].sides & (1 << d))) continue;
                const int k = Neighbour(m, d);
                if (k < 0) {
                    loop = false;
                    continue;
                }
                if (!in[k]) in[k] = true, seen.push_back(k), todo.push_back(k);
            }
        }
        return loop ? seen : std::vector<int>{};
    }
};

TEST_F(LoopTest, FindLoopFromAgreesWithABruteForceOracleOnRandomBoards) {
    int loopsSeen = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 generator(seed);
        ResetGameState();
        // Random boards seldom hold loops, so squares of four corners are laid
        // first and then partly overwritten: loops merge through crosses and
        // straights, break open, or survive.
        for (int r = 0; r < 12; r += 2)
            for (int c = 0; c < 12; c += 2) {
                const uint8_t square[4] = {4, 5, 3, 6};
                for (int i = 0; i < 4; ++i) Game.Board[CellIndex(c + i % 2, r + i / 2)] = square[i];
            }
        const int rewrites = 10 + static_cast<int>(seed % 5) * 15;
        for (int i = 0; i < rewrites; ++i) {
            const int draw = static_cast<int>(generator() % 8);
            Game.Board[generator() % kCells] = draw == 7 ? kEmptyPipeCell : static_cast<uint8_t>(draw);
        }
        const Oracle oracle(Game.Board);
        // The scan of ClearLoops: row-major, starts on 1..6 only, marks accumulate.
        uint8_t expectedMarks[kCells] = {};
        int expectedListings[kCells] = {};
        int expectedScore = 0;
        Game.LoopCellLast = -1;
        for (int cell = 0; cell < kCells; ++cell) {
            const uint8_t code = Game.Board[cell];
            if (code < 1 || code > 6) continue;
            const bool startMarked = expectedMarks[cell] != 0;
            const std::vector<int> loop = startMarked ? std::vector<int>{} : oracle.LoopOf(oracle.nodeAt[cell][0]);
            const int scoreBefore = Game.Score;
            const bool found = FindLoopFrom(cell / 12, cell % 12, true);
            ASSERT_EQ(found, !loop.empty()) << "seed " << seed << " cell " << cell;
            if (!found) continue;
            ++loopsSeen;
            bool listed[kCells] = {};
            for (const int n : loop) {
                expectedMarks[oracle.nodes[n].cell] += oracle.nodes[n].weight;
                if (!listed[oracle.nodes[n].cell]) ++expectedListings[oracle.nodes[n].cell];
                listed[oracle.nodes[n].cell] = true;
            }
            ASSERT_EQ(Game.Score - scoreBefore, 3 * static_cast<int>(loop.size()) - 4) << "seed " << seed;
            expectedScore += 3 * static_cast<int>(loop.size()) - 4;
        }
        ASSERT_EQ(std::memcmp(Game.LoopMarks, expectedMarks, kCells), 0) << "seed " << seed;
        ASSERT_EQ(Game.Score, expectedScore) << "seed " << seed;
        ASSERT_LE(Game.LoopCellLast, kLoopListCapacity - 1) << "seed " << seed;
        // Every cell is listed once for each loop through it.
        int listedFor[kCells] = {};
        for (int i = 0; i <= Game.LoopCellLast; ++i) ++listedFor[Game.LoopCellRow[i] * 12 + Game.LoopCellCol[i]];
        for (int cell = 0; cell < kCells; ++cell)
            ASSERT_EQ(listedFor[cell], expectedListings[cell]) << "seed " << seed << " cell " << cell;
    }
    EXPECT_GT(loopsSeen, 1000) << "the boards should hold loops to compare";
}

}  // namespace
