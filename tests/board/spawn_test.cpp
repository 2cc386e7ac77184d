// Set-up, spawning, the speed rise and the game's end.
#include "board/game_end.h"
#include "board/spawn.h"

#include <set>

#include "board/loops.h"
#include "board/pieces.h"
#include "board/spiral.h"
#include "engine_fixture.h"
#include "services/random.h"

namespace {

class SpawnTest : public EngineTest {
public:
    // Every cell but `free` holds a cross, which can never close a loop alone.
    static void FillWithCrossesExcept(std::initializer_list<CellPos> free) {
        std::memset(Game.Board, 0, sizeof Game.Board);
        Game.PieceCount = kCells;
        for (const CellPos& c : free) {
            Game.Board[CellIndex(c.col, c.row)] = kEmptyPipeCell;
            --Game.PieceCount;
        }
    }
    static void SetUpAt(platform::TimeOfDay time) {
        platform::headless::Get().startOfDay = time;
        SetUpBoard();
    }
    static int CountBelow(uint8_t limit) {
        int n = 0;
        for (const uint8_t code : Game.Board) n += code < limit;
        return n;
    }
};

TEST_F(SpawnTest, PiecesArriveAlongTheSpiralFromTheCentre) {
    struct Case {
        std::vector<CellPos> free;
        CellPos expected;
    };
    const std::vector<Case> cases = {
        {{{5, 5}, {0, 0}}, {5, 5}},
        {{{5, 6}, {6, 6}}, {5, 6}},
        {{{6, 5}, {6, 4}, {11, 0}}, {6, 5}},
        {{{8, 2}, {2, 9}}, {8, 2}},     // index 36: the first cell around the set-up square
        {{{11, 0}}, {11, 0}},
    };
    for (const Case& c : cases) {
        FillWithCrossesExcept({});
        for (const CellPos& f : c.free) {
            Game.Board[CellIndex(f.col, f.row)] = kEmptyPipeCell;
            --Game.PieceCount;
        }
        const int before = Game.PieceCount;
        SpawnStep();
        EXPECT_LT(At(c.expected.col, c.expected.row), kEmptyPipeCell) << c.expected.col << "," << c.expected.row;
        EXPECT_EQ(Game.PieceCount, before + 1);
        EXPECT_EQ(Game.SpawnCursor, c.expected);
    }
}

TEST_F(SpawnTest, AFullModeZeroBoardEndsTheGameAtTheNextStep) {
    FillWithCrossesExcept({});
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, GameOver);
    EXPECT_TRUE(ShowsWork(470, 132, 679, 271, 195, 262));
}

TEST_F(SpawnTest, CornersAlwaysGetACornerAndEdgesRedrawCrossesAndStraights) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        for (const CellPos corner : {CellPos{0, 0}, {11, 0}, {0, 11}, {11, 11}}) {
            EmptyBoard();
            SeedRandom(seed);
            const uint8_t kind = ChoosePiece(corner.col, corner.row, LockDraw::Spawner, 0);
            ASSERT_GE(kind, 3) << "seed " << seed;
            ASSERT_LE(kind, 6) << "seed " << seed;
        }
        // An edge cell beside a straight: a first draw below 3 is drawn again,
        // and a second below 3 once more because of the neighbour.
        EmptyBoard();
        Place({{1, 5, 1}});
        SeedRandom(seed);
        const uint32_t first = RandomBelow(7), second = RandomBelow(7), third = RandomBelow(7);
        const uint32_t expected = first >= 3 ? first : second >= 3 ? second : third;
        SeedRandom(seed);
        ASSERT_EQ(ChoosePiece(0, 5, LockDraw::Spawner, 0), expected) << "seed " << seed;
    }
}

TEST_F(SpawnTest, LockedPiecesComeOnlyWithLevelOne) {
    for (const int level : {0, 1}) {
        int locked = 0;
        for (int ms = 0; ms < 40; ++ms) {
            ResetGameState();
            Game.Level = level;
            Game.GameMode = 2;
            SetUpAt({10, 0, 0, ms});
            for (int cell = 0; cell < kCells; ++cell) {
                if (!Game.LockFlags[cell]) continue;
                ++locked;
                const int col = cell % 12, row = cell / 12;
                ASSERT_NE(Game.Board[cell], 0) << "a locked piece is never a cross";
                // Locked pieces on the edge never open off the board.
                const uint8_t k = Game.Board[cell];
                EXPECT_TRUE(col != 0 || k == 1 || k == 3 || k == 4);
                EXPECT_TRUE(col != 11 || k == 1 || k == 5 || k == 6);
                EXPECT_TRUE(row != 0 || k == 2 || k == 4 || k == 5);
                EXPECT_TRUE(row != 11 || k == 2 || k == 3 || k == 6);
            }
            int perBoard = 0;
            for (const uint8_t f : Game.LockFlags) perBoard += f;
            ASSERT_LE(perBoard, 10);
        }
        if (level == 0) {
            EXPECT_EQ(locked, 0);
        } else {
            EXPECT_GT(locked, 0);
        }
    }
}

TEST_F(SpawnTest, ModeTwoSetUpIsFullEvenAndFreeOfLoops) {
    for (int ms = 0; ms < 30; ++ms) {
        ResetGameState();
        Game.GameMode = 2;
        SetUpAt({7, 30, 15, ms});
        ASSERT_EQ(Game.PieceCount, kCells);
        ASSERT_EQ(CountBelow(kEmptyPipeCell), kCells);
        ASSERT_EQ(CountBelow(3) % 2, 0) << "ms " << ms;
        std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
        for (int cell = 0; cell < kCells; ++cell)
            if (Game.Board[cell] >= 1) {
                ASSERT_FALSE(FindLoopFrom(cell / 12, cell % 12, false)) << "ms " << ms;
            }
        ASSERT_EQ(Game.Score, 0);
        ASSERT_EQ(Game.ScreenState, Playing);
    }
}

TEST_F(SpawnTest, ModeZeroSetUpFillsTheCentreSquareOnly) {
    SetUpAt({23, 59, 59, 999});
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 12; ++col) {
            const bool inside = col >= 3 && col <= 8 && row >= 3 && row <= 8;
            if (!inside) {
                ASSERT_EQ(At(col, row), kEmptyPipeCell);
            }
        }
    EXPECT_EQ(Game.PieceCount, CountBelow(kEmptyPipeCell));
    EXPECT_EQ(Random.LastReseed, ((23u * 60 + 59) * 60 + 59) * 1000 + 999);
}

TEST_F(SpawnTest, TheSameClockGivesTheSameBoard) {
    for (const int mode : {0, 1, 2}) {
        uint8_t first[kCells];
        for (int run = 0; run < 2; ++run) {
            platform::headless::Reset();
            ResetGameState();
            Game.GameMode = mode;
            Game.Level = 1;
            SetUpAt({9, 8, 7, 654});
            if (run == 0) std::memcpy(first, Game.Board, kCells);
        }
        EXPECT_EQ(std::memcmp(first, Game.Board, kCells), 0) << "mode " << mode;
    }
}

TEST_F(SpawnTest, SpeedRisesAfterAHundredPiecesInModeZeroAndFiftyBlocksInModeOne) {
    struct Case {
        int mode, speed, spawnedBefore;
        int speedAfter, spawnedAfter;
    };
    const Case cases[] = {
        {0, 0, 99, 1, 0}, {0, 3, 98, 3, 99}, {0, 9, 99, 9, 100}, {0, 9, 140, 9, 141},
        {1, 0, 49, 1, 0}, {1, 8, 49, 9, 0},  {1, 9, 49, 9, 50},
    };
    HearEffects();
    for (const Case& c : cases) {
        ResetGameState();
        platform::headless::Get().effectsPlayed.clear();
        Game.ScreenState = Playing;
        Game.GameMode = c.mode;
        if (c.mode == 0) {
            FillWithCrossesExcept({{5, 5}});
        } else {
            std::memset(Game.Board, 0, sizeof Game.Board);
            Game.PieceCount = 20;
        }
        Game.Speed = c.speed;
        Game.SpawnCount = c.spawnedBefore;
        SpawnStep();
        EXPECT_EQ(Game.Speed, c.speedAfter) << "mode " << c.mode << " speed " << c.speed;
        EXPECT_EQ(Game.SpawnCount, c.spawnedAfter) << "mode " << c.mode << " speed " << c.speed;
        // The arrival tick, then the rising figure only when the speed rose.
        const std::vector<int> heard = c.speedAfter > c.speed ? std::vector<int>{1, 4} : std::vector<int>{1};
        EXPECT_EQ(EffectsPlayed(), heard) << "mode " << c.mode << " speed " << c.speed;
    }
}

TEST_F(SpawnTest, ModeOneEndsAtFortyBlocksEvenWithRoomLeft) {
    HearEffects();
    Game.GameMode = 1;
    std::memset(Game.Board, 0, sizeof Game.Board);
    for (int cell = 0; cell < 39; ++cell) Game.Board[cell * 3] = kBlock;
    Game.PieceCount = 39;
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, Playing);
    EXPECT_EQ(Game.PieceCount, 40);
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, GameOver);
    EXPECT_EQ(Game.PieceCount, 40);
    EXPECT_EQ(EffectsPlayed(), (std::vector<int>{1, 8})) << "a block arrives, then the game-over phrase";
}

TEST_F(SpawnTest, ModeOneNeverPlacesABlockOnALine) {
    Game.GameMode = 1;
    // Lines everywhere but one cell.
    std::memset(Game.Board, kLineHorizontal, sizeof Game.Board);
    Game.Board[CellIndex(7, 2)] = 0;
    Game.PieceCount = 0;
    SpawnStep();
    EXPECT_EQ(At(7, 2), kBlock);
    EXPECT_TRUE(NoEmptyCell());
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, GameOver);
}

TEST_F(SpawnTest, BlockSetUpPlacesFifteenBlocksAndWallsOnlyWithLevelOne) {
    for (const int level : {0, 1}) {
        ResetGameState();
        Game.GameMode = 1;
        Game.Level = level;
        SetUpAt({4, 5, 6, 7 + level});
        int blocks = 0, wallSides = 0;
        for (const uint8_t code : Game.Board) blocks += code == kBlock;
        EXPECT_EQ(blocks, 15);
        EXPECT_EQ(Game.PieceCount, 15);
        for (int cell = 0; cell < kCells; ++cell)
            for (int side = 0; side < 4; ++side) {
                if (!Game.Walls[cell * 4 + side]) continue;
                ++wallSides;
                const int col = cell % 12 + kStepCol[side], row = cell / 12 + kStepRow[side];
                ASSERT_TRUE(OnBoard(col, row)) << "a wall lies inside the board";
                ASSERT_EQ(Game.Walls[CellIndex(col, row) * 4 + (side + 2) % 4], 1) << "stored on both cells";
            }
        EXPECT_EQ(wallSides, level == 1 ? 8 : 0);
    }
}

TEST_F(SpawnTest, StartGameInModeOneLeavesEveryOtherCellZero) {
    Game.GameMode = 1;
    Game.Speed = 6;
    StartGame();
    for (const uint8_t code : Game.Board) ASSERT_TRUE(code == 0 || code == kBlock);
    EXPECT_EQ(Game.Speed, 6) << "the speed chosen before a game survives";
    EXPECT_EQ(Game.KeyCursor, (CellPos{6, 6}));
}

TEST_F(SpawnTest, OnlyAScoreThatEntersTheTableOpensTheNameEntry) {
    ConnectFrontEnd({.ScoreQualifies = [](int32_t score) { return score > 100; },
                     .OpenNameEntry = [] { Game.ScreenState = NameEntry; }});
    Game.Score = 100;
    EndGame();
    EXPECT_EQ(Game.ScreenState, GameOver);
    Game.Score = 250;
    const int64_t before = platform::headless::NowMs();
    CheckTopScore();
    EXPECT_EQ(Game.ScreenState, NameEntry);
    EXPECT_GE(platform::headless::NowMs() - before, 1000) << "the name entry opens after a second";
}

}  // namespace
