// The main loop's pacing, the blocking wait and the inactive application.
#include "board/board_state.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "shell/frame_tick.h"
#include "support/fresh_program.h"
#include "services/files.h"

namespace hl = platform::headless;
using platform::MsgKind;

class MainLoop : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        ASSERT_TRUE(StartUp());
        // Take the activation that showing the window sends.
        RunPass();
        ASSERT_EQ(Shell.AppActive, 1);
    }
};

TEST_F(MainLoop, TicksEighteenTimesASecondCreditingFiftyFiveEach) {
    const int64_t before = Game.SpawnTimer;
    RunUntilMs(hl::NowMs() + 10000);
    const int64_t ticks = (Game.SpawnTimer - before) / 55;
    EXPECT_EQ((Game.SpawnTimer - before) % 55, 0);
    EXPECT_GE(ticks, 179);
    EXPECT_LE(ticks, 180);
}

TEST_F(MainLoop, SlowPassesGetOneTickEachAndNoneIsMadeUp) {
    hl::Get().passCostMicros = 200000;  // every pass takes 200 ms, more than a tick
    RunPass();
    const int64_t before = Game.SpawnTimer;
    for (int i = 0; i < 10; ++i) RunPass();
    EXPECT_EQ(Game.SpawnTimer - before, 10 * 55);
}

TEST_F(MainLoop, AnIdleLoopAdvancesTheVirtualClockTickByTick) {
    const int64_t start = hl::NowMs();
    for (int i = 0; i < 4; ++i) RunPass();
    // Each idle pass waits for the next tick instead of spinning.
    EXPECT_GE(hl::NowMs() - start, 2 * 55);
}

TEST_F(MainLoop, QuitEndsTheLoopWithItsStatus) {
    platform::PostQuit(7);
    EXPECT_EQ(RunMainLoop(), 7);
}

TEST_F(MainLoop, CloseTearsDownAndQuitsWithSuccess) {
    platform::PostMessage({MsgKind::Close, 0, 0, 0});
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_TRUE(Shell.TornDown);
    EXPECT_FALSE(Display.DirectDrawObject);
}

TEST_F(MainLoop, NothingReachesTheGameAfterTheWindowIsClosed) {
    platform::PostMessage({MsgKind::Close, 0, 0, 0});
    platform::PostMessage({MsgKind::MusicNotify, 0, 0, 0});
    platform::PostMessage({MsgKind::Char, ' ', 0, 0});  // would start a game
    const size_t musicCommands = hl::Get().musicCommands.size();
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_EQ(Game.ScreenState, StartScreen);
    // The teardown stopped and closed the music; no piece was opened after it.
    ASSERT_GE(hl::Get().musicCommands.size(), musicCommands + 2);
    for (size_t i = musicCommands + 2; i < hl::Get().musicCommands.size(); ++i)
        EXPECT_NE(hl::Get().musicCommands[i].rfind("open", 0), 0u) << hl::Get().musicCommands[i];
}

TEST_F(MainLoop, InactiveApplicationGetsNoTicksAndNoInput) {
    platform::PostMessage({MsgKind::ActivateApp, 0, 0, 0});
    RunPass();
    ASSERT_EQ(Shell.AppActive, 0);
    EXPECT_EQ(Cursor.CursorDrawn, 0) << "the cursor picture goes with the screen";
    const int64_t timer = Game.SpawnTimer;
    const int16_t x = Cursor.CursorX;
    hl::ScheduleMouseMove(hl::NowMs() + 10, 100, 100);
    hl::ScheduleChar(hl::NowMs() + 20, 27);  // would close the stand-in game
    RunUntilMs(hl::NowMs() + 1000);
    EXPECT_EQ(Game.SpawnTimer, timer);
    EXPECT_EQ(Cursor.CursorX, x);
    EXPECT_FALSE(Shell.TornDown);
}

TEST_F(MainLoop, RegainedFocusRebuildsTheLostScreen) {
    platform::PostMessage({MsgKind::ActivateApp, 0, 0, 0});
    RunPass();
    hl::LoseAllSurfaces();
    platform::PostMessage({MsgKind::ActivateApp, 1, 0, 0});
    RunPass();
    RunPass();
    EXPECT_FALSE(platform::IsSurfaceLost(Display.Slots[PrimarySlot].surface));
    EXPECT_EQ(Cursor.CursorBusy, 0);
}

TEST(CommandKeys, OnlyTheCommandSetBecomesKeyDown) {
    const int members[] = {0x0C, 0x10, 0x11, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                           0x2D, 0x2E, 0x70, 0x75, 0x7B, 0x90, 0x91};
    int count = 0;
    for (int k = 0; k < 256; ++k) count += IsCommandKey(static_cast<uint8_t>(k));
    EXPECT_EQ(count, 29);
    for (int k : members) EXPECT_TRUE(IsCommandKey(static_cast<uint8_t>(k))) << std::hex << k;
    for (int k : {0x08, 0x0D, 0x1B, 0x20, 0x41, 0x29, 0x2C, 0x2F, 0x6F, 0x7C, 0x92})
        EXPECT_FALSE(IsCommandKey(static_cast<uint8_t>(k))) << std::hex << k;
}

TEST(ProgramFolder, IsThePathUpToItsLastSeparator) {
    EXPECT_EQ(ProgramFolderOf("/opt/torvanex/torvanex"), "/opt/torvanex/");
    EXPECT_EQ(ProgramFolderOf("C:\\Games\\torvanex.exe"), "C:\\Games\\");
    EXPECT_EQ(ProgramFolderOf("torvanex"), "");
    const std::string deep = "/" + std::string(400, 'd') + "/torvanex";
    EXPECT_EQ(ProgramFolderOf(deep).size(), 402u) << "no 255-character limit";
}
