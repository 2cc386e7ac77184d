// The spiral, set-up, spawning, the speed rise and the ends of a game.
#include "board/spawn.h"

#include <algorithm>
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

// Where pieces arrive along the spiral is pinned by the boards of the mode0_game
// scenario; here only a count that disagrees with a full board, which must not
// hang the search for an empty cell.
TEST_F(SpawnTest, AWrongPieceCountOnAFullBoardEndsTheGameInsteadOfHanging) {
    for (const int count : {kCells, 100}) {
        FillWithCrossesExcept({});
        Game.PieceCount = count, Game.ScreenState = Playing;
        SpawnStep();
        EXPECT_EQ(Game.ScreenState, GameOver) << "count " << count;
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
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " speed " + std::to_string(c.speed));
        EXPECT_EQ(Game.Speed, c.speedAfter);
        EXPECT_EQ(Game.SpawnCount, c.spawnedAfter);
        // The arrival, then the rising figure only when the speed rose.
        EXPECT_EQ(EffectsHeard(), (c.speedAfter > c.speed ? std::vector<int>{1, 4} : std::vector<int>{1}));
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

// The level-1 start, walls and all, is dumped in the mode1_lines scenario.
TEST_F(SpawnTest, ModeOneStartsWithFifteenBlocksAndNoWallsAtLevelZero) {
    Game.GameMode = 1, Game.Level = 0;
    platform::headless::Get().startOfDay = {4, 5, 6, 7};
    StartGame();
    EXPECT_TRUE(std::count(Game.Board, Game.Board + kCells, kBlock) == 15 && CountBelow(1) == kCells - 15)
        << "fifteen blocks, every other cell empty";
    EXPECT_EQ(Game.PieceCount, 15);
    EXPECT_EQ(std::count(Game.Walls, Game.Walls + sizeof Game.Walls, 1), 0);
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
