// The spiral, set-up, spawning, the speed rise and the ends of a game.
#include "board/spawn.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "board/front_end_calls.h"
#include "board/game_end.h"
#include "board/loops.h"
#include "board/pieces.h"
#include "board/spiral.h"
#include "engine_fixture.h"
#include "services/random.h"

class SpawnTest : public EngineTest {
public:
    // Every cell but `free` holds a cross, which never closes a loop alone.
    static void FillWithCrossesExcept(std::initializer_list<CellPos> free) {
        std::memset(Game.Board, 0, sizeof Game.Board);
        for (const CellPos& c : free) Game.Board[CellIndex(c.col, c.row)] = kEmptyPipeCell;
        Game.PieceCount = CountBelow(kEmptyPipeCell);
    }
    static void SetUpAt(platform::TimeOfDay time) { platform::headless::Get().startOfDay = time, SetUpBoard(); }
    static int CountBelow(int limit) {
        return int(std::count_if(Game.Board, Game.Board + kCells, [=](int c) { return c < limit; }));
    }
};

// Outward from (5, 5) the spiral fills the centred squares 2 x 2, 4 x 4, ...
// one neighbouring cell at a time, turning as the spawner always has; the
// settle walks the same cells back.
TEST(Spiral, GrowsSquareBySquareAndTheSettleWalksItBack) {
    CellPos path[kCells] = {{5, 5}};
    for (int i = 1; i < kCells; ++i) NextSpawnCell(path[i] = path[i - 1]);
    bool seen[kCells] = {};
    for (int i = 0; i < kCells; ++i) {
        const CellPos c = path[i];
        ASSERT_TRUE(OnBoard(c.col, c.row) && !seen[CellIndex(c.col, c.row)]) << i;
        seen[CellIndex(c.col, c.row)] = true;
        const int step = i == 0 ? 1 : std::abs(c.col - path[i - 1].col) + std::abs(c.row - path[i - 1].row);
        ASSERT_EQ(step, 1) << i;
        int ring = 1;   // the smallest centred square holding the cell is 2 x ring wide
        while (c.col < 6 - ring || c.col > 5 + ring || c.row < 6 - ring || c.row > 5 + ring) ++ring;
        ASSERT_TRUE(i >= 4 * (ring - 1) * (ring - 1) && i < 4 * ring * ring) << i;
    }
    EXPECT_EQ(path[1], (CellPos{5, 6}));
    EXPECT_EQ(path[2], (CellPos{6, 6}));
    CellPos back{11, 0};
    for (int i = kCells - 1; i > 0; --i, NextSettleCell(back)) ASSERT_EQ(back, path[i]) << i;
    EXPECT_EQ(back, (CellPos{5, 5}));
}

TEST_F(SpawnTest, APieceArrivesInTheFirstFreeCellAlongTheSpiralAndAFullBoardEndsTheGame) {
    std::mt19937 generator(7);
    for (int round = 0; round < 40; ++round) {
        const CellPos a{int(generator() % 12), int(generator() % 12)}, b{int(generator() % 12), int(generator() % 12)};
        FillWithCrossesExcept({a, b});
        CellPos first{5, 5};
        while (At(first.col, first.row) != kEmptyPipeCell) NextSpawnCell(first);
        SpawnStep();
        EXPECT_EQ(Game.SpawnCursor, first) << "free " << a.col << "," << a.row << " and " << b.col << "," << b.row;
        EXPECT_TRUE(At(first.col, first.row) < kEmptyPipeCell && Game.PieceCount == CountBelow(kEmptyPipeCell));
    }
    for (const int count : {kCells, 100}) {   // a count that disagrees with the board must not hang the search
        FillWithCrossesExcept({});
        Game.PieceCount = count, Game.ScreenState = Playing;
        SpawnStep();
        EXPECT_EQ(Game.ScreenState, GameOver) << "count " << count;
    }
}

TEST_F(SpawnTest, CornersAlwaysGetACornerAndEdgesDrawCrossesAndStraightsLessOften) {
    for (uint32_t seed = 1; seed <= 400; ++seed)
        for (const CellPos corner : {CellPos{0, 0}, {11, 0}, {0, 11}, {11, 11}}) {
            SeedRandom(seed);
            const uint8_t kind = ChoosePiece(corner.col, corner.row, LockDraw::Spawner, 0);
            ASSERT_TRUE(kind >= 3 && kind <= 6) << "seed " << seed;
        }
    // A cross or straight is drawn again on an edge, and again beside a cross
    // or straight further in: 3/7, (3/7)^2 and (3/7)^3 of the pieces.
    const struct { const char* where; bool straightBeside; CellPos cell; int low, high; } cases[] = {
        {"inside", false, {5, 5}, 720, 1000}, {"on the edge", false, {0, 5}, 260, 480},
        {"on the edge beside a straight", true, {0, 5}, 80, 240}};
    for (const auto& c : cases) {
        int crossesAndStraights = 0;
        for (uint32_t seed = 1; seed <= 2000; ++seed) {
            EmptyBoard();
            if (c.straightBeside) Place({{1, 5, 1}});
            SeedRandom(seed * 2654435761u);
            crossesAndStraights += ChoosePiece(c.cell.col, c.cell.row, LockDraw::Spawner, 0) < 3;
        }
        EXPECT_TRUE(crossesAndStraights >= c.low && crossesAndStraights <= c.high) << c.where << ": " << crossesAndStraights;
    }
}

TEST_F(SpawnTest, ModeTwoSetUpIsFullEvenLoopFreeAndLockedOnlyWithLevelOne) {
    for (const int level : {0, 1}) {
        int locked = 0;
        for (int ms = 0; ms < 30; ++ms) {
            SCOPED_TRACE("level " + std::to_string(level) + " ms " + std::to_string(ms));
            ResetGameState();
            Game.Level = level, Game.GameMode = 2;
            SetUpAt({7, 30, 15, ms});
            ASSERT_TRUE(Game.PieceCount == kCells && CountBelow(kEmptyPipeCell) == kCells && Game.Score == 0);
            ASSERT_EQ(CountBelow(3) % 2, 0) << "crosses and straights must pair off";
            std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
            int onThisBoard = 0;
            for (int cell = 0; cell < kCells; ++cell) {
                const int col = cell % 12, row = cell / 12;
                const uint8_t k = Game.Board[cell];
                ASSERT_FALSE(k >= 1 && FindLoopFrom(row, col, false)) << "a loop left at " << col << "," << row;
                if (!Game.LockFlags[cell]) continue;
                ++onThisBoard;
                EXPECT_FALSE(k == 0 || (col == 0 && OpensToward(k, West)) || (col == 11 && OpensToward(k, East)) ||
                             (row == 0 && OpensToward(k, North)) || (row == 11 && OpensToward(k, South)))
                    << "locked kind " << int(k) << " at " << col << "," << row;
            }
            ASSERT_LE(onThisBoard, 10);
            locked += onThisBoard;
        }
        EXPECT_EQ(locked > 0, level == 1) << "level " << level;
    }
}

TEST_F(SpawnTest, SpeedRisesAfterAHundredPiecesInModeZeroAndFiftyBlocksInModeOne) {
    const struct { int mode, speed, spawnedBefore, speedAfter, spawnedAfter; } cases[] = {
        {0, 0, 99, 1, 0}, {0, 3, 98, 3, 99}, {0, 9, 99, 9, 100}, {0, 9, 140, 9, 141},
        {1, 0, 49, 1, 0}, {1, 8, 49, 9, 0},  {1, 9, 49, 9, 50}};
    HearEffects();
    for (const auto& c : cases) {
        ResetGameState();
        platform::headless::Get().effectsPlayed.clear();
        FillWithCrossesExcept({{5, 5}});
        if (c.mode == 1) std::memset(Game.Board, 0, sizeof Game.Board), Game.PieceCount = 20;
        Game.ScreenState = Playing, Game.GameMode = c.mode, Game.Speed = c.speed, Game.SpawnCount = c.spawnedBefore;
        SpawnStep();
        EXPECT_EQ(Game.Speed, c.speedAfter) << "mode " << c.mode << " speed " << c.speed;
        EXPECT_EQ(Game.SpawnCount, c.spawnedAfter) << "mode " << c.mode << " speed " << c.speed;
        // The arrival, then the rising figure only when the speed rose.
        EXPECT_EQ(EffectsHeard(), (c.speedAfter > c.speed ? std::vector<int>{1, 4} : std::vector<int>{1}))
            << "mode " << c.mode << " speed " << c.speed;
    }
}

TEST_F(SpawnTest, ModeOneEndsAtFortyBlocksOrWhenNoCellIsFreeAndNeverBlocksALine) {
    HearEffects();
    Game.GameMode = 1;
    std::memset(Game.Board, 0, sizeof Game.Board);
    for (int cell = 0; cell < 39; ++cell) Game.Board[cell * 3] = kBlock;
    Game.PieceCount = 39;
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, Playing);
    SpawnStep();
    EXPECT_TRUE(Game.ScreenState == GameOver && Game.PieceCount == 40) << "forty blocks, room or not";
    EXPECT_EQ(EffectsHeard(), (std::vector<int>{1, 8})) << "a block arrives, then the game-over phrase";

    std::memset(Game.Board, kLineHorizontal, sizeof Game.Board);
    Game.Board[CellIndex(7, 2)] = 0;
    Game.PieceCount = 0, Game.ScreenState = Playing;
    SpawnStep();
    EXPECT_EQ(At(7, 2), kBlock) << "the one cell without a line";
    SpawnStep();
    EXPECT_EQ(Game.ScreenState, GameOver);
}

TEST_F(SpawnTest, ModeOneStartsWithFifteenBlocksAndWallsOnlyWithLevelOne) {
    for (const int level : {0, 1}) {
        ResetGameState();
        Game.GameMode = 1, Game.Level = level;
        platform::headless::Get().startOfDay = {4, 5, 6, 7 + level};
        StartGame();
        EXPECT_TRUE(std::count(Game.Board, Game.Board + kCells, kBlock) == 15 && CountBelow(1) == kCells - 15)
            << "fifteen blocks, every other cell empty";
        EXPECT_EQ(Game.PieceCount, 15);
        // Four walls, each kept on both its cells.
        EXPECT_EQ(std::count(Game.Walls, Game.Walls + sizeof Game.Walls, 1), level == 1 ? 8 : 0);
    }
}

static int namesAsked = 0;
static std::vector<int> buttonsPutBack;

TEST_F(SpawnTest, EachEndShowsGameOverDropsItsHighlightAndAsksANameOnlyForATopScore) {
    ConnectFrontEnd({[] {}, [] {}, [](int button) { buttonsPutBack.push_back(button); },
                     [](int32_t score) { return score >= 100; }, [] { ++namesAsked; }});
    const struct { void (*end)(); int hover; bool dropped; int score, finalScore; } cases[] = {
        {EndGame, kSpeedButton, true, 0, 0},        {EndGame, kSkinButton, true, 150, 150},
        {EndGame, kGiveUpButton, false, 99, 99},    {EndGivenUp, kGiveUpButton, true, 99, 99},
        {EndGivenUp, kModeButton, false, 100, 100}, {EndEmptiedBoard, kLevelButton, true, 0, 100},
        {EndEmptiedBoard, kGiveUpButton, true, 5, 105}};
    for (const auto& c : cases) {
        Game.ScreenState = Playing, Game.HoverButton = c.hover, Game.Score = c.score;
        namesAsked = 0;
        buttonsPutBack.clear();
        const int64_t start = platform::headless::NowMs();
        c.end();
        const bool topScore = c.finalScore >= 100;
        EXPECT_TRUE(Game.ScreenState == GameOver && ShowsAtItsPlace(WorkPicture("game_over")));
        EXPECT_EQ(Game.Score, c.finalScore);
        EXPECT_EQ(buttonsPutBack, c.dropped ? std::vector<int>{c.hover} : std::vector<int>{}) << "button " << c.hover;
        EXPECT_EQ(Game.HoverButton, c.dropped ? kNoButton : c.hover) << "button " << c.hover;
        EXPECT_EQ(namesAsked, topScore ? 1 : 0) << "score " << c.finalScore;
        EXPECT_EQ(platform::headless::NowMs() - start >= 1000, topScore) << "the name is asked a second later";
    }
}
