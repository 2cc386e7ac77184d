// The front end as a player meets it: start-up and its title, the game screen,
// the routing of presses by screen, the top-score and farewell screens, and
// the rebuild of every screen after a lost display.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/game_end.h"
#include "frontend/front_state.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "moves/moves_state.h"
#include "platform/common/message_queue.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
using platform::MsgKind;

class FrontEnd : public FreshProgram {
public:
    void Start() {
        ASSERT_TRUE(StartUp());
        Settle();
    }
    // Runs the main loop until the input given so far is handled, then `ms` more.
    void Settle(int64_t ms = 100) {
        while (hl::PendingScripted() > 0 || !platform::queue::Empty()) RunPass();
        RunUntilMs(hl::NowMs() + ms);
    }
    void Type(uint32_t c, int64_t ms = 100) {
        hl::Schedule(hl::NowMs(), {MsgKind::Char, c, 0, 0});
        Settle(ms);
    }
    void Click(int x, int y, MsgKind button = MsgKind::LButtonDown, int64_t ms = 100) {
        hl::Schedule(hl::NowMs(), {MsgKind::MouseMove, 0, x, y});
        hl::Schedule(hl::NowMs(), {button, 0, x, y});
        Settle(ms);
    }
    void StartAGame() {
        Start();
        Type(' ', 700);
        ASSERT_EQ(Game.ScreenState, Playing);
    }
};

TEST_F(FrontEnd, DuringTheTitleAClickIsLostAKeyWaitsAndMovesOnlyMoveThePointer) {
    hl::Schedule(1000, {MsgKind::MouseMove, 0, 222, 333});
    hl::Schedule(1100, {MsgKind::LButtonDown, 0, 222, 333});
    ASSERT_TRUE(StartUp());
    Settle();
    EXPECT_EQ(Game.ScreenState, StartScreen) << "the click was eaten by the title";
    EXPECT_EQ(Cursor.CursorX, 222);
    EXPECT_EQ(Cursor.CursorY, 333);

    hl::Reset();
    ResetProgramState();
    SetUp();
    hl::Schedule(2000, {MsgKind::Char, 'k', 0, 0});
    Start();
    EXPECT_EQ(Game.ScreenState, Playing) << "the key started the game once the title was over";
}

// The pointer on the home-page bar when the game screen is composed lights it.
TEST_F(FrontEnd, ThePointerOnAButtonWhenTheGameScreenIsComposedLightsIt) {
    StartAGame();
    Click(400, 570);
    Type(27, 300);
    Type(' ', 700);
    EraseCursor();
    EXPECT_TRUE(ShowsAtItsPlace(WorkPicture("button_home_hl")));
}

TEST_F(FrontEnd, PressesOnTheBoardEdgesGrabTheirCellOrFallToThePanel) {
    StartAGame();
    for (const auto& [x, y, grabbed] : {std::tuple{509, 541, CellPos{11, 11}}, {510, 541, CellPos{3, 3}},
                                        {509, 542, CellPos{3, 3}}, {89, 200, CellPos{3, 3}}}) {
        Moves.GrabCell = {3, 3};
        Click(x, y);
        EXPECT_EQ(Moves.GrabCell, grabbed) << x << "," << y;
    }
    Click(200, 200, MsgKind::RButtonDown);
    EXPECT_EQ(Moves.GrabCell, (CellPos{3, 3})) << "a right press turns but grabs nothing";
}

TEST_F(FrontEnd, OnTheStartScreenMovesAndRightPressesDoNothing) {
    Start();
    Click(300, 300, MsgKind::RButtonDown);
    EXPECT_EQ(Game.ScreenState, StartScreen);
    Click(300, 300);
    EXPECT_EQ(Game.ScreenState, Playing);
}

// The key that saves and closes on the farewell is in the top_scores scenario.
TEST_F(FrontEnd, TopScoresCycleTheModesAndAnimateFromFrameOneAndTheFarewellShowsEachFrameForTwoTicks) {
    StartAGame();
    Type(27, 0);
    ASSERT_EQ(Game.ScreenState, TopScoresScreen);
    const int first = Front.ScoresViewMode;
    for (int press = 1; press <= 3; ++press) {
        Click(700, 300, MsgKind::LButtonDown, 0);
        EXPECT_EQ(Front.ScoresViewMode, (first + press) % 3);
    }
    EXPECT_EQ(Front.ScoresAnimFrame, 0);
    TickOnce();
    EXPECT_EQ(Front.ScoresAnimFrame, 1) << "the frame advances before it is drawn";
    EXPECT_TRUE(ShowsPicture(WorkPicture("scores_anim_frame_1"), 313, 137, PrimarySlot, true));
    Click(100, 100, MsgKind::LButtonDown, 0);
    ASSERT_EQ(Game.ScreenState, FarewellScreen);
    // A new frame every second tick, from frame 0 on.
    std::vector<int> frames;
    for (int tick = 0; tick < 6; ++tick) {
        TickOnce();
        frames.push_back(Front.FarewellAnimFrame);
    }
    const std::vector<int> fromEvenTick{1, 1, 2, 2, 3, 3}, fromOddTick{0, 1, 1, 2, 2, 3};
    EXPECT_EQ(frames, frames[0] == 1 ? fromEvenTick : fromOddTick);
}

TEST_F(FrontEnd, ALostDisplayRebuildsTheSameScreenInEveryState) {
    // Each step leads to the next screen; after it, the display is lost and
    // the rebuilt screen must match the one before, pixel for pixel (the name
    // box with its name and caret too).
    struct Step {
        const char* what;
        std::function<void(FrontEnd&)> go;
        uint8_t state;
    };
    const Step steps[] = {
        {"start screen", [](FrontEnd& t) { t.Start(); }, StartScreen},
        {"game", [](FrontEnd& t) { t.Type(' ', 600); }, Playing},
        {"name entry", [](FrontEnd& t) { Game.Score = 700, DrawScore(PrimarySlot), EndGame(), t.Type('B'), t.Type(0xE9); },
         NameEntry},
        {"game over", [](FrontEnd& t) { t.Type(27); }, GameOver},
        {"top scores", [](FrontEnd& t) { t.Type(27, 0); }, TopScoresScreen},
        {"farewell", [](FrontEnd& t) { t.Click(100, 100, MsgKind::LButtonDown, 0); }, FarewellScreen},
    };
    for (const Step& step : steps) {
        step.go(*this);
        ASSERT_EQ(Game.ScreenState, step.state) << step.what;
        const std::vector<uint16_t> before = ScreenPixels();
        hl::LoseAllSurfaces();
        Shell.LastTick = platform::ReadCounter();   // no animation step or blink in the same pass
        RunPass();
        EXPECT_EQ(Game.ScreenState, step.state) << step.what;
        EXPECT_TRUE(ScreenPixels() == before) << step.what;
    }
}

}  // namespace
