// Slots, judged copies, lost surfaces and the box primitives, checked by geometry.
#include "graphics/cursor.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace hl = platform::headless;

class Surfaces : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
    }
    static void Paint(int slot, int x, int y, int w, int h, uint16_t colour) {
        LockSlot(slot);
        FillBox(x, y, w, h, colour, Display.Slots[slot].pitch, Display.Slots[slot].pixels);
        UnlockSlot(slot);
    }
};

TEST_F(Surfaces, SlotNumbersOutOfRangeAreRefusedAndCreateNothing) {
    using platform::SurfaceKind;
    EXPECT_EQ(CreateSurfaceSlot(11, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(0, 10, 10, SurfaceKind::SystemMemory, false), 100);
    EXPECT_EQ(CreateSurfaceSlot(10, 10, 10, SurfaceKind::Primary, true), 100) << "no room for its back buffer";
    EXPECT_EQ(CreateSurfaceSlot(9, 10, 10, SurfaceKind::SystemMemory, false), 0);
    EXPECT_TRUE(Display.Slots[9].present);
    EXPECT_FALSE(Display.Slots[10].present);
}

TEST_F(Surfaces, StartUpFallsBackToSystemMemoryAndStopsWithoutABlitter) {
    FreshProgram::SetUp();
    hl::RefuseVideoMemory(true);
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(Display.Slots[WorkSlot].kind, platform::SurfaceKind::SystemMemory);
    FreshProgram::SetUp();
    hl::Get().displayHasBlitter = false;
    EXPECT_EQ(RunProgram(), 1) << "a failed start is not reported as success";
    ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::Get().messageBoxes[0].text, "Can't create Directdraw object");
}

TEST_F(Surfaces, KeyedCopiesSkipBlackOpaqueOnesDoNotAndCornersAreInclusive) {
    Paint(WorkSlot, 0, 0, 4, 1, 0x1234);
    Paint(WorkSlot, 1, 0, 1, 1, 0);   // a hole
    Paint(PrimarySlot, 0, 0, 8, 2, 0xFFFF);
    BlitKeyed(0, 0, 3, 0, 0, 0, WorkSlot, PrimarySlot);
    BlitOpaque(0, 0, 3, 0, 0, 1, WorkSlot, PrimarySlot);
    const uint16_t expected[2][5] = {{0x1234, 0xFFFF, 0x1234, 0x1234, 0xFFFF}, {0x1234, 0, 0x1234, 0x1234, 0xFFFF}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(PrimarySlot, x, y), expected[y][x]) << x << "," << y;
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
    Cursor.CursorBusy = 1;
    hl::LoseSurfacesOnNextCall();
    BlitOpaque(0, 0, 1, 1, 400, 300, WorkSlot, PrimarySlot);
    for (int s : {PrimarySlot, WorkSlot, ComposeSlot}) EXPECT_FALSE(platform::IsSurfaceLost(Display.Slots[s].surface));
    EXPECT_EQ(Cursor.CursorBusy, 0) << "the redraw ran";
    EXPECT_EQ(PixelOf(PrimarySlot, 401, 301), 0x4444) << "and the interrupted copy was made after it";
}

TEST_F(Surfaces, BevelBoxesAndLinesKeepToTheirCorners) {
    const uint16_t light = 0xAAAA, fill = 0x5555, dark = 0x1111;
    LockSlot(ComposeSlot);
    SurfaceSlot& s = Display.Slots[ComposeSlot];
    BevelBox(10, 10, 5, 4, light, fill, dark, s.pitch, s.pixels);
    BevelBox(30, 10, 1, 6, light, fill, dark, s.pitch, s.pixels);
    BevelBox(40, 10, 6, 1, light, fill, dark, s.pitch, s.pixels);
    HLine(5, 1, 7, 0x00FF, s.pitch, s.pixels);
    HLine(5, 2, 4, 0x00FF, s.pitch, s.pixels);   // an empty run
    VLine(9, 3, 3, 0x0F00, s.pitch, s.pixels);
    UnlockSlot(ComposeSlot);
    const struct { int x, y; uint16_t colour; } pixels[] = {
        {10, 10, light}, {14, 10, dark}, {10, 13, dark}, {14, 13, dark}, {12, 11, fill}, {15, 12, 0}, {12, 14, 0},
        {30, 10, dark},  {30, 15, dark}, {40, 10, dark}, {45, 10, dark},  {5, 1, 0x00FF}, {7, 1, 0x00FF}, {8, 1, 0},
        {4, 1, 0},       {5, 2, 0},      {9, 3, 0x0F00}, {9, 4, 0}};
    for (const auto& p : pixels) EXPECT_EQ(PixelOf(ComposeSlot, p.x, p.y), p.colour) << p.x << "," << p.y;
}
