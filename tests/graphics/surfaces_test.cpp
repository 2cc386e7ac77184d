// Slots, judged copies and lost surfaces, checked by geometry.
#include "graphics/cursor.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace hl = platform::headless;
using platform::SurfaceKind;

class Surfaces : public FreshProgram {
protected:
    void SetUp() override { FreshProgram::SetUp(), CreateDisplay(); }
    static void Paint(int slot, int x, int y, int w, int h, uint16_t colour) {
        LockSlot(slot);
        FillBox(x, y, w, h, colour, Display.Slots[slot].pitch, Display.Slots[slot].pixels);
        UnlockSlot(slot);
    }
};

TEST_F(Surfaces, SlotsOutOfRangeAreRefusedAndStartUpFallsBackToSystemMemoryOrStops) {
    EXPECT_EQ(CreateSurfaceSlot(11, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(0, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(10, 10, 10, SurfaceKind::Primary, true), 100) << "no room for its back buffer";
    EXPECT_FALSE(Display.Slots[10].present);
    EXPECT_TRUE(CreateSurfaceSlot(9, 10, 10, SurfaceKind::SystemMemory, false) == 0 && Display.Slots[9].present);
    FreshProgram::SetUp();
    hl::RefuseVideoMemory(true);
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(Display.Slots[WorkSlot].kind, SurfaceKind::SystemMemory);
    FreshProgram::SetUp();
    hl::Get().displayHasBlitter = false;
    EXPECT_EQ(RunProgram(), 1) << "a failed start is not reported as success";
    ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::Get().messageBoxes[0].text, "Can't create Directdraw object") << "the player is told why";
}

TEST_F(Surfaces, KeyedCopiesSkipBlackOpaqueOnesDoNotAndCornersAreInclusive) {
    Paint(WorkSlot, 0, 0, 4, 1, 0x1234);
    Paint(WorkSlot, 1, 0, 1, 1, 0);   // a hole
    Paint(PrimarySlot, 0, 0, 8, 2, 0xFFFF);
    BlitKeyed(0, 0, 3, 0, 0, 0, WorkSlot, PrimarySlot);
    BlitOpaque(0, 0, 3, 0, 0, 1, WorkSlot, PrimarySlot);
    const uint16_t expected[2][5] = {{0x1234, 0xFFFF, 0x1234, 0x1234, 0xFFFF}, {0x1234, 0, 0x1234, 0x1234, 0xFFFF}};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(PixelOf(PrimarySlot, i % 5, i / 5), expected[i / 5][i % 5]) << i;
}

TEST_F(Surfaces, CopiesThatDoNotFitAreDroppedWholeAndReleasedSlotsTakeNone) {
    Paint(WorkSlot, 0, 0, 800, 689, 0x0F0F);
    BlitOpaque(780, 580, 819, 619, 780, 580, WorkSlot, PrimarySlot);   // past the source and the screen
    BlitOpaque(0, 0, 34, 34, 790, 10, WorkSlot, PrimarySlot);          // past the right edge
    BlitOpaque(0, 0, 34, 34, -5, 10, WorkSlot, PrimarySlot);           // left of the screen
    BlitOpaque(0, 682, 34, 688, 0, 595, WorkSlot, PrimarySlot);        // past the bottom
    for (const auto& [x, y] : {std::pair{790, 590}, {795, 20}, {0, 20}, {10, 599}})
        EXPECT_EQ(PixelOf(PrimarySlot, x, y), 0) << x << "," << y;
    ReleaseDisplay();
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(Display.Slots[i].present);
    BlitOpaque(0, 0, 1, 1, 0, 0, WorkSlot, PrimarySlot);   // dropped, not a crash
}

TEST_F(Surfaces, ABusyBlitterIsWaitedForAndALostDisplayIsRebuiltBeforeTheCopy) {
    Paint(WorkSlot, 0, 0, 2, 2, 0x4444);
    hl::AnswerStillDrawing(3);
    BlitOpaque(0, 0, 0, 0, 5, 5, WorkSlot, PrimarySlot);
    EXPECT_EQ(PixelOf(PrimarySlot, 5, 5), 0x4444);
    // A redraw that leaves the WorkSlot as it is, so the copy's source survives.
    ConnectRedraw([] { Cursor.CursorBusy = 0; });
    Cursor.CursorBusy = 1;
    hl::LoseSurfacesOnNextCall();
    BlitOpaque(0, 0, 1, 1, 400, 300, WorkSlot, PrimarySlot);
    for (int s : {PrimarySlot, WorkSlot, ComposeSlot}) EXPECT_FALSE(platform::IsSurfaceLost(Display.Slots[s].surface));
    EXPECT_EQ(Cursor.CursorBusy, 0) << "the redraw ran";
    EXPECT_EQ(PixelOf(PrimarySlot, 401, 301), 0x4444) << "and the interrupted copy was made after it";
}
