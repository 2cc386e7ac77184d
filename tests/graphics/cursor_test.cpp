// The software cursor: clipping, save-under, idempotent draw and erase, hit tests.
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "support/fresh_program.h"

namespace hl = platform::headless;

class SoftwareCursor : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
        // A solid cursor picture and a patterned screen.
        LockSlot(WorkSlot);
        auto& w = Display.Slots[WorkSlot];
        FillBox(0, 541, 18, 25, 0xF800, w.pitch, w.pixels);
        UnlockSlot(WorkSlot);
        LockSlot(PrimarySlot);
        auto& p = Display.Slots[PrimarySlot];
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) p.pixels[y * p.pitch + x] = static_cast<uint16_t>(x + y * 3 + 1);
        UnlockSlot(PrimarySlot);
        Cursor.CursorBusy = 0;
    }
    uint16_t Screen(int x, int y) { return hl::Pixel(Display.Slots[PrimarySlot].surface, x, y); }
    int CursorPixels() {
        int n = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) n += Screen(x, y) == 0xF800;
        return n;
    }
};

TEST_F(SoftwareCursor, ClipsAtTheScreenEdgeAndErasesExactlyWhatItCovered) {
    Cursor.CursorX = 790;
    Cursor.CursorY = 590;
    const uint16_t under = Screen(795, 595);
    DrawCursor();
    EXPECT_EQ(Cursor.DrawnWidth, 10);
    EXPECT_EQ(Cursor.DrawnHeight, 10);
    EXPECT_EQ(CursorPixels(), 100);
    EraseCursor();
    EXPECT_EQ(CursorPixels(), 0);
    EXPECT_EQ(Screen(795, 595), under);
}

TEST_F(SoftwareCursor, AHotSpotPastTheTopLeftClipsThePictureSource) {
    Cursor.CursorHotX = 5;
    Cursor.CursorHotY = 5;
    Cursor.CursorX = 0;
    Cursor.CursorY = 0;
    DrawCursor();
    EXPECT_EQ(Cursor.DrawnWidth, 13);
    EXPECT_EQ(Cursor.DrawnHeight, 20);
    EXPECT_EQ(CursorPixels(), 13 * 20);
    EraseCursor();
    EXPECT_EQ(CursorPixels(), 0);
}

TEST_F(SoftwareCursor, DrawingTwiceOrErasingTwiceChangesNothing) {
    Cursor.CursorX = 100;
    Cursor.CursorY = 100;
    DrawCursor();
    Cursor.CursorX = 300;  // moved without an erase: the second draw must not happen
    DrawCursor();
    EXPECT_EQ(CursorPixels(), 18 * 25);
    EXPECT_EQ(Screen(300, 100), 300 + 100 * 3 + 1);
    EraseCursor();
    const uint16_t restored = Screen(105, 105);
    EraseCursor();
    EXPECT_EQ(Screen(105, 105), restored);
    EXPECT_EQ(CursorPixels(), 0);
}

TEST_F(SoftwareCursor, BusyBlocksBothOperations) {
    Cursor.CursorBusy = 1;
    DrawCursor();
    EXPECT_EQ(Cursor.CursorDrawn, 0);
    EXPECT_EQ(CursorPixels(), 0);
}

TEST_F(SoftwareCursor, BlackPixelsOfThePictureAreTransparent) {
    LockSlot(WorkSlot);
    auto& w = Display.Slots[WorkSlot];
    FillBox(0, 541, 9, 25, 0, w.pitch, w.pixels);
    UnlockSlot(WorkSlot);
    Cursor.CursorX = 50;
    Cursor.CursorY = 50;
    DrawCursor();
    EXPECT_EQ(Screen(52, 52), 52 + 52 * 3 + 1);
    EXPECT_EQ(Screen(60, 52), 0xF800);
}

TEST(PointerIn, RightAndBottomEdgesAreExcluded) {
    ResetProgramState();
    struct Case {
        int16_t x, y;
        bool in;
    } cases[] = {{90, 122, true}, {509, 541, true}, {510, 300, false}, {300, 542, false}, {89, 200, false}};
    for (const Case& c : cases) {
        Cursor.CursorX = c.x;
        Cursor.CursorY = c.y;
        EXPECT_EQ(PointerIn(90, 122, 420, 420), c.in) << c.x << "," << c.y;
    }
}

TEST(CursorFrames, AdvanceEverySecondMessage) {
    ResetProgramState();
    Cursor.CursorFrameCount = 3;
    int frames[6];
    for (int& f : frames) {
        AdvanceCursorFrame();
        f = Cursor.CursorFrame;
    }
    const int expected[6] = {1, 1, 2, 2, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(frames[i], expected[i]);
}
