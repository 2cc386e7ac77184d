// Slots, judged copies, lost surfaces and the box primitives, checked by geometry.
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "shell/frame_tick.h"
#include "support/fresh_program.h"

namespace hl = platform::headless;

class Surfaces : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
    }
    uint16_t At(int slot, int x, int y) { return hl::Pixel(Display.Slots[slot].surface, x, y); }
    void Paint(int slot, int x, int y, int w, int h, uint16_t colour) {
        LockSlot(slot);
        FillBox(x, y, w, h, colour, Display.Slots[slot].pitch, Display.Slots[slot].pixels);
        UnlockSlot(slot);
    }
};

TEST_F(Surfaces, SlotNumbersOutOfRangeAreRefusedAndCreateNothing) {
    using platform::SurfaceKind;
    EXPECT_EQ(CreateSurfaceSlot(11, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(0, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(10, 10, 10, SurfaceKind::Primary, true), 100);
    EXPECT_EQ(CreateSurfaceSlot(9, 10, 10, SurfaceKind::SystemMemory, false), 0);
    EXPECT_TRUE(Display.Slots[9].present);
    EXPECT_FALSE(Display.Slots[10].present);
}

TEST_F(Surfaces, WorkSlotFallsBackToSystemMemory) {
    FreshProgram::SetUp();
    hl::RefuseVideoMemory(true);
    ASSERT_TRUE(StartUp());
    EXPECT_TRUE(Display.Slots[WorkSlot].present);
    EXPECT_EQ(Display.Slots[WorkSlot].kind, platform::SurfaceKind::SystemMemory);
}

TEST_F(Surfaces, DisplayWithoutBlitterStopsWithTheDisplayMessage) {
    FreshProgram::SetUp();
    hl::Get().displayHasBlitter = false;
    EXPECT_EQ(RunProgram(), 1) << "a failed start is not reported as success";
    ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::Get().messageBoxes[0].text, "Can't create Directdraw object");
    EXPECT_EQ(hl::Get().messageBoxes[0].caption, "Torvanex");
}

TEST_F(Surfaces, KeyedCopiesSkipBlackAndOpaqueCopiesDoNot) {
    Paint(WorkSlot, 0, 0, 4, 1, 0x1234);
    Paint(WorkSlot, 1, 0, 1, 1, 0);  // a hole
    Paint(PrimarySlot, 0, 0, 8, 2, 0xFFFF);
    BlitKeyed(0, 0, 3, 0, 0, 0, WorkSlot, PrimarySlot);
    BlitOpaque(0, 0, 3, 0, 0, 1, WorkSlot, PrimarySlot);
    EXPECT_EQ(At(PrimarySlot, 0, 0), 0x1234);
    EXPECT_EQ(At(PrimarySlot, 1, 0), 0xFFFF);
    EXPECT_EQ(At(PrimarySlot, 1, 1), 0);
    EXPECT_EQ(At(PrimarySlot, 3, 1), 0x1234);
    EXPECT_EQ(At(PrimarySlot, 4, 1), 0xFFFF) << "inclusive corners: four pixels wide";
}

TEST_F(Surfaces, CopiesThatDoNotFitAreDroppedWhole) {
    Paint(WorkSlot, 0, 0, 800, 689, 0x0F0F);
    Paint(PrimarySlot, 0, 0, 800, 600, 0);
    BlitOpaque(780, 580, 819, 619, 780, 580, WorkSlot, PrimarySlot);  // past the source and the screen
    BlitOpaque(0, 0, 34, 34, 790, 10, WorkSlot, PrimarySlot);         // past the right edge
    BlitOpaque(0, 0, 34, 34, -5, 10, WorkSlot, PrimarySlot);          // left of the screen
    EXPECT_EQ(At(PrimarySlot, 790, 590), 0);
    EXPECT_EQ(At(PrimarySlot, 795, 20), 0);
    EXPECT_EQ(At(PrimarySlot, 0, 20), 0);
}

TEST_F(Surfaces, BusyBlitterIsWaitedFor) {
    Paint(WorkSlot, 0, 0, 1, 1, 0x4444);
    hl::AnswerStillDrawing(3);
    BlitOpaque(0, 0, 0, 0, 5, 5, WorkSlot, PrimarySlot);
    EXPECT_EQ(At(PrimarySlot, 5, 5), 0x4444);
}

TEST_F(Surfaces, LostMidCopyRestoresRedrawsAndCompletesTheCopy) {
    Paint(WorkSlot, 0, 0, 2, 2, 0x7777);
    // A redraw that leaves the WorkSlot as it is, so the copy's source survives.
    ConnectRedraw([] { Cursor.CursorBusy = 0; });
    Cursor.CursorBusy = 1;
    hl::LoseSurfacesOnNextCall();
    BlitOpaque(0, 0, 1, 1, 400, 300, WorkSlot, PrimarySlot);
    for (int s : {PrimarySlot, WorkSlot, ComposeSlot}) EXPECT_FALSE(platform::IsSurfaceLost(Display.Slots[s].surface));
    EXPECT_EQ(Cursor.CursorBusy, 0) << "the redraw ran";
    EXPECT_EQ(At(PrimarySlot, 401, 301), 0x7777) << "and the interrupted copy was made after it";
}

TEST_F(Surfaces, BevelBoxCornersAndThinBoxes) {
    const uint16_t light = 0xAAAA, fill = 0x5555, dark = 0x1111;
    LockSlot(ComposeSlot);
    auto& s = Display.Slots[ComposeSlot];
    BevelBox(10, 10, 5, 4, light, fill, dark, s.pitch, s.pixels);
    BevelBox(30, 10, 1, 6, light, fill, dark, s.pitch, s.pixels);
    BevelBox(40, 10, 6, 1, light, fill, dark, s.pitch, s.pixels);
    UnlockSlot(ComposeSlot);
    EXPECT_EQ(At(ComposeSlot, 10, 10), light);
    EXPECT_EQ(At(ComposeSlot, 14, 10), dark);
    EXPECT_EQ(At(ComposeSlot, 10, 13), dark);
    EXPECT_EQ(At(ComposeSlot, 14, 13), dark);
    EXPECT_EQ(At(ComposeSlot, 12, 11), fill);
    for (int y = 10; y < 16; ++y) EXPECT_EQ(At(ComposeSlot, 30, y), dark) << "w = 1 ends dark";
    for (int x = 40; x < 46; ++x) EXPECT_EQ(At(ComposeSlot, x, 10), dark) << "h = 1 ends dark";
    EXPECT_EQ(At(ComposeSlot, 15, 12), 0) << "nothing outside the box";
}

TEST_F(Surfaces, LinesAreInclusiveAndAnEmptyRunDrawsNothing) {
    LockSlot(ComposeSlot);
    auto& s = Display.Slots[ComposeSlot];
    HLine(5, 1, 7, 0x00FF, s.pitch, s.pixels);
    HLine(5, 2, 4, 0x00FF, s.pitch, s.pixels);
    VLine(9, 3, 3, 0x0F00, s.pitch, s.pixels);
    UnlockSlot(ComposeSlot);
    EXPECT_EQ(At(ComposeSlot, 5, 1), 0x00FF);
    EXPECT_EQ(At(ComposeSlot, 7, 1), 0x00FF);
    EXPECT_EQ(At(ComposeSlot, 8, 1), 0);
    EXPECT_EQ(At(ComposeSlot, 5, 2), 0);
    EXPECT_EQ(At(ComposeSlot, 9, 3), 0x0F00);
}

TEST_F(Surfaces, ReleaseEmptiesEverySlot) {
    ReleaseDisplay();
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(Display.Slots[i].present);
    BlitOpaque(0, 0, 1, 1, 0, 0, WorkSlot, PrimarySlot);  // dropped, no crash
}
