// The software cursor: clipping, an exact save-under, draw and erase that never
// double up, the hit test, and the blocking wait in which it follows the mouse
// while nothing is dispatched.
#include "graphics/cursor.h"

#include <algorithm>
#include <vector>

#include "graphics/wait.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace hl = platform::headless;
using enum platform::MsgKind;
constexpr uint16_t kInk = 0xF800;

class SoftwareCursor : public FreshProgram {
protected:
    void SetUp() override {   // a solid cursor, its first row half hollow, over a patterned screen
        FreshProgram::SetUp();
        CreateDisplay();
        for (const int slot : {WorkSlot, PrimarySlot}) {
            LockSlot(slot);
            SurfaceSlot& s = Display.Slots[slot];
            for (int i = 0; i < 800 * 600; ++i) s.pixels[i / 800 * s.pitch + i % 800] = uint16_t(i % 800 + i / 800 * 3 + 1);
            if (slot == WorkSlot) FillBox(sprite.left, sprite.top, sprite.width(), sprite.height(), kInk, s.pitch, s.pixels);
            if (slot == WorkSlot) FillBox(sprite.left, sprite.top, 9, 1, 0, s.pitch, s.pixels);
            UnlockSlot(slot);
        }
        Cursor.CursorBusy = 0;
    }
    static int InkShown() {
        const std::vector<uint16_t> screen = ScreenPixels();
        return int(std::count(screen.begin(), screen.end(), kInk));
    }
    static void PointAt(int x, int y) { Cursor.CursorX = int16_t(x), Cursor.CursorY = int16_t(y); }
    static std::vector<platform::MsgKind> Queued() {
        std::vector<platform::MsgKind> kinds;
        for (platform::Message m; platform::TakeMessage(m);) kinds.push_back(m.kind);
        return kinds;
    }
    const Picture sprite = WorkPicture("cursor_sprite");
};

TEST_F(SoftwareCursor, ClipsAtEveryScreenEdgeAndErasesExactlyWhatItCovered) {
    const struct { int x, y, hotX, hotY, ink; } cases[] = {
        {100, 100, 0, 0, 18 * 25 - 9}, {790, 590, 0, 0, 10 * 10 - 9}, {0, 0, 5, 5, 13 * 20},
        {0, 599, 0, 0, 18 - 9},         {0, 0, 30, 0, 0}};   // wholly off the screen: nothing is copied
    const std::vector<uint16_t> before = ScreenPixels();
    for (const auto& c : cases) {
        PointAt(c.x, c.y);
        Cursor.CursorHotX = int16_t(c.hotX), Cursor.CursorHotY = int16_t(c.hotY);
        DrawCursor();
        EXPECT_EQ(InkShown(), c.ink) << c.x << "," << c.y;
        EraseCursor();
        EXPECT_TRUE(ScreenPixels() == before) << c.x << "," << c.y << ": the erase left a trace";
    }
}

TEST_F(SoftwareCursor, DrawsKeyedOnceErasesOnceAndNotAtAllWhileBusy) {
    PointAt(100, 100);
    DrawCursor();
    EXPECT_TRUE(PixelOf(PrimarySlot, 102, 100) == 102 + 100 * 3 + 1 && PixelOf(PrimarySlot, 110, 100) == kInk)
        << "black in the picture is a hole";
    PointAt(300, 100);   // moved without an erase: the second draw must not happen
    DrawCursor();
    EXPECT_TRUE(InkShown() == 18 * 25 - 9 && PixelOf(PrimarySlot, 310, 100) != kInk);
    EraseCursor();
    const std::vector<uint16_t> erased = ScreenPixels();
    EraseCursor();
    EXPECT_TRUE(ScreenPixels() == erased);
    Cursor.CursorBusy = 1;
    DrawCursor();
    EXPECT_TRUE(Cursor.CursorDrawn == 0 && InkShown() == 0);
}

TEST_F(SoftwareCursor, PointerInLeavesOutTheRightAndBottomEdges) {
    const ScreenArea b = AreaOf("board_area");
    const struct { int x, y; bool in; } cases[] = {{b.x, b.y, true},        {b.x + b.w - 1, b.y + b.h - 1, true},
                                                   {b.x + b.w, b.y, false}, {b.x, b.y + b.h, false},
                                                   {b.x - 1, b.y, false},   {b.x, b.y - 1, false}};
    for (const auto& c : cases) EXPECT_EQ((PointAt(c.x, c.y), PointerIn(b.x, b.y, b.w, b.h)), c.in) << c.x << "," << c.y;
}

TEST_F(SoftwareCursor, AWaitLastsItsTimeWhileTheCursorFollowsTheMouse) {
    DrawCursor();
    Queued();   // the activation that showing the display sent
    hl::ScheduleMouseMove(5, 200, 150);
    WaitMs(true, 100);
    EXPECT_GE(hl::NowMs(), 100);
    EXPECT_TRUE(Cursor.CursorX == 200 && Cursor.CursorY == 150 && Cursor.DrawnLeft == 200) << "redrawn where it went";
    // Moves are taken first, so a press made at (120, 130) is taken after the move.
    hl::ScheduleClick(hl::NowMs() + 1, LButtonDown, 120, 130);
    hl::ScheduleMouseMove(hl::NowMs() + 1, 500, 400);
    WaitMs(true, 20);
    EXPECT_TRUE(Cursor.CursorX == 120 && Cursor.CursorY == 130) << "an eaten press places the pointer";
    EXPECT_TRUE(Queued().empty());
}

TEST_F(SoftwareCursor, AWaitEatsLeftPressesOnlyWhenAskedAndKeepsTheRestQueuedInOrder) {
    hl::ScheduleKey(2, 0x25);
    hl::ScheduleClick(3, RButtonDown, 400, 300);
    hl::ScheduleMouseMove(4, 10, 10);
    hl::ScheduleChar(5, 'a');
    hl::ScheduleClick(6, LButtonDown, 400, 300);
    WaitMs(true, 20);
    EXPECT_EQ(Queued(), (std::vector<platform::MsgKind>{ActivateApp, KeyDown, RButtonDown, Char}));
    hl::ScheduleClick(hl::NowMs() + 5, LButtonDown, 400, 300);
    WaitMs(false, 20);
    EXPECT_EQ(Queued(), std::vector<platform::MsgKind>{LButtonDown}) << "kept for after the wait";
}
