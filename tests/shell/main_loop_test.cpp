// The main loop's pacing, closing and quitting, the inactive application and
// the keys that reach the game as commands.
#include "board/board_state.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "support/fresh_program.h"

namespace hl = platform::headless;
using platform::MsgKind;

class MainLoop : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        ASSERT_TRUE(StartUp());
        RunPass();   // the activation that showing the window sends
        ASSERT_EQ(Shell.AppActive, 1);
    }
};

TEST_F(MainLoop, TicksEighteenTimesASecondOnePerPassCreditingFiftyFiveAndNeverMakesOneUp) {
    const int64_t start = hl::NowMs(), before = Game.SpawnTimer;
    for (int i = 0; i < 4; ++i) RunPass();
    EXPECT_GE(hl::NowMs() - start, 2 * 55) << "an idle pass waits for the next tick instead of spinning";
    RunUntilMs(start + 10000);
    EXPECT_EQ((Game.SpawnTimer - before) % 55, 0);
    EXPECT_NEAR((Game.SpawnTimer - before) / 55, 180, 1);
    hl::Get().passCostMicros = 200000;   // passes longer than a tick: one tick each
    int64_t timer = Game.SpawnTimer;
    for (int i = 0; i < 10; ++i) RunPass();
    EXPECT_EQ(Game.SpawnTimer - timer, 10 * 55);
    hl::Get().passCostMicros = 1000000;   // a stall of a second, then the ticks it missed stay missed
    RunPass();
    hl::Get().passCostMicros = 0;
    timer = Game.SpawnTimer;
    RunUntilMs(hl::NowMs() + 200);
    EXPECT_LE(Game.SpawnTimer - timer, 4 * 55);
}

TEST_F(MainLoop, CloseTearsDownQuitsWithSuccessAndNothingReachesTheGameAfterIt) {
    for (const platform::Message& m : {platform::Message{MsgKind::Close}, {MsgKind::MusicNotify}, {MsgKind::Char, ' '}})
        platform::PostMessage(m);   // the music's end would open a piece, the space start a game
    const size_t musicCommands = hl::Get().musicCommands.size();
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_TRUE(Shell.TornDown && !Display.DirectDrawObject && Game.ScreenState == StartScreen);
    ASSERT_GE(hl::Get().musicCommands.size(), musicCommands + 2) << "the teardown stops and closes the music";
    for (size_t i = musicCommands; i < hl::Get().musicCommands.size(); ++i)
        EXPECT_NE(hl::Get().musicCommands[i].rfind("open", 0), 0u) << hl::Get().musicCommands[i];
}

TEST_F(MainLoop, AnInactiveApplicationGetsNoTicksNoInputAndRebuildsALostScreenOnReturn) {
    platform::PostMessage({MsgKind::ActivateApp, 0});
    RunPass();
    ASSERT_EQ(Shell.AppActive, 0);
    EXPECT_EQ(Cursor.CursorDrawn, 0) << "the cursor picture goes with the screen";
    const int64_t timer = Game.SpawnTimer;
    hl::ScheduleMouseMove(hl::NowMs() + 10, 100, 100);
    hl::ScheduleChar(hl::NowMs() + 20, 27);   // would close the game
    hl::ScheduleClick(hl::NowMs() + 30, MsgKind::LButtonDown, 100, 100);   // would start one
    RunUntilMs(hl::NowMs() + 1000);
    EXPECT_TRUE(Game.SpawnTimer == timer && Cursor.CursorX != 100 && !Shell.TornDown && Game.ScreenState == StartScreen);
    hl::LoseAllSurfaces();
    platform::PostMessage({MsgKind::ActivateApp, 1});
    RunPass();
    RunPass();
    EXPECT_FALSE(platform::IsSurfaceLost(Display.Slots[PrimarySlot].surface));
    EXPECT_EQ(Cursor.CursorBusy, 0) << "the screen was rebuilt";
}

// A key that also types a character must not act twice; the keys the game
// acts on must arrive as commands.
TEST(CommandKeys, AreTheKeysThatTypeNothing) {
    for (const int key : {0x08, 0x09, 0x0D, 0x1B, 0x20, 0x30, 0x39, 0x41, 0x5A, 0x60, 0x6A, 0xBA, 0xDB, 0xDE})
        EXPECT_FALSE(IsCommandKey(static_cast<uint8_t>(key))) << std::hex << key;
    for (const int key : {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E, 0x70, 0x71, 0x7B, 0x10, 0x11})
        EXPECT_TRUE(IsCommandKey(static_cast<uint8_t>(key))) << std::hex << key;
}
