// The software cursor: clipping, an exact save-under, draw and erase that never
// double up, the hit test, and the blocking wait in which it follows the mouse
// while nothing is dispatched.
#include "graphics/cursor.h"

#include <vector>

#include "graphics/wait.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace hl = platform::headless;
using platform::MsgKind;
constexpr uint16_t kInk = 0xF800;

class SoftwareCursor : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
        for (const int slot : {WorkSlot, PrimarySlot}) {   // a solid cursor over a patterned screen
            LockSlot(slot);
            SurfaceSlot& s = Display.Slots[slot];
            for (int y = 0; y < 600; ++y)
                for (int x = 0; x < 800; ++x) s.pixels[y * s.pitch + x] = static_cast<uint16_t>(x + y * 3 + 1);
            const Picture sprite = WorkPicture("cursor_sprite");
            if (slot == WorkSlot)
                FillBox(sprite.left, sprite.top, sprite.width(), sprite.height(), kInk, s.pitch, s.pixels);
            UnlockSlot(slot);
        }
        Cursor.CursorBusy = 0;
    }
    static std::vector<uint16_t> Screen() {
        std::vector<uint16_t> pixels;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) pixels.push_back(PixelOf(PrimarySlot, x, y));
        return pixels;
    }
    static int InkShown() {
        int n = 0;
        for (const uint16_t p : Screen()) n += p == kInk;
        return n;
    }
    static void PointAt(int x, int y) { Cursor.CursorX = static_cast<int16_t>(x), Cursor.CursorY = static_cast<int16_t>(y); }
    static std::vector<MsgKind> Queued() {
        std::vector<MsgKind> kinds;
        for (platform::Message m; platform::TakeMessage(m);) kinds.push_back(m.kind);
        return kinds;
    }
};

TEST_F(SoftwareCursor, ClipsAtEveryScreenEdgeAndErasesExactlyWhatItCovered) {
    const struct { int x, y, hotX, hotY, w, h; } cases[] = {
        {100, 100, 0, 0, 18, 25}, {790, 590, 0, 0, 10, 10}, {0, 0, 5, 5, 13, 20},
        {0, 599, 0, 0, 18, 1},    {0, 0, 30, 0, 0, 0},   // wholly off the screen: nothing is copied
    };
    const std::vector<uint16_t> before = Screen();
    for (const auto& c : cases) {
        PointAt(c.x, c.y);
        Cursor.CursorHotX = static_cast<int16_t>(c.hotX), Cursor.CursorHotY = static_cast<int16_t>(c.hotY);
        DrawCursor();
        EXPECT_EQ(InkShown(), c.w * c.h) << c.x << "," << c.y;
        EraseCursor();
        EXPECT_TRUE(Screen() == before) << c.x << "," << c.y << ": the erase left a trace";
    }
}

TEST_F(SoftwareCursor, DrawsKeyedOnceErasesOnceAndNotAtAllWhileBusy) {
    const Picture sprite = WorkPicture("cursor_sprite");
    LockSlot(WorkSlot);
    FillBox(sprite.left, sprite.top, 9, 1, 0, Display.Slots[WorkSlot].pitch, Display.Slots[WorkSlot].pixels);
    UnlockSlot(WorkSlot);
    PointAt(100, 100);
    DrawCursor();
    EXPECT_TRUE(PixelOf(PrimarySlot, 102, 100) == 102 + 100 * 3 + 1 && PixelOf(PrimarySlot, 110, 100) == kInk)
        << "black in the picture is a hole";
    PointAt(300, 100);   // moved without an erase: the second draw must not happen
    DrawCursor();
    EXPECT_TRUE(InkShown() == 18 * 25 - 9 && PixelOf(PrimarySlot, 310, 100) != kInk);
    EraseCursor();
    const std::vector<uint16_t> erased = Screen();
    EraseCursor();
    EXPECT_TRUE(Screen() == erased);
    Cursor.CursorBusy = 1;
    DrawCursor();
    EXPECT_TRUE(Cursor.CursorDrawn == 0 && InkShown() == 0);
}

TEST_F(SoftwareCursor, PointerInLeavesOutTheRightAndBottomEdges) {
    const ScreenArea b = AreaOf("board_area");
    const struct { int x, y; bool in; } cases[] = {{b.x, b.y, true},         {b.x + b.w - 1, b.y + b.h - 1, true},
                                                   {b.x + b.w, b.y, false},  {b.x, b.y + b.h, false},
                                                   {b.x - 1, b.y, false},    {b.x, b.y - 1, false}};
    for (const auto& c : cases) {
        PointAt(c.x, c.y);
        EXPECT_EQ(PointerIn(b.x, b.y, b.w, b.h), c.in) << c.x << "," << c.y;
    }
}

TEST_F(SoftwareCursor, AWaitLastsItsTimeWhileTheCursorFollowsTheMouse) {
    DrawCursor();
    Queued();   // the activation that showing the display sent
    hl::ScheduleMouseMove(5, 200, 150);
    WaitMs(true, 100);
    EXPECT_GE(hl::NowMs(), 100);
    EXPECT_TRUE(Cursor.CursorX == 200 && Cursor.CursorY == 150 && Cursor.DrawnLeft == 200) << "redrawn where it went";
    // Moves are taken first, so a press made at (120, 130) is taken after the move.
    hl::ScheduleClick(hl::NowMs() + 1, MsgKind::LButtonDown, 120, 130);
    hl::ScheduleMouseMove(hl::NowMs() + 1, 500, 400);
    WaitMs(true, 20);
    EXPECT_TRUE(Cursor.CursorX == 120 && Cursor.CursorY == 130) << "an eaten press places the pointer";
    EXPECT_TRUE(Queued().empty());
}

TEST_F(SoftwareCursor, AWaitEatsLeftPressesOnlyWhenAskedAndKeepsTheRestQueuedInOrder) {
    hl::ScheduleKey(2, 0x25);
    hl::ScheduleClick(3, MsgKind::RButtonDown, 400, 300);
    hl::ScheduleMouseMove(4, 10, 10);
    hl::ScheduleChar(5, 'a');
    hl::ScheduleClick(6, MsgKind::LButtonDown, 400, 300);
    WaitMs(true, 20);
    EXPECT_EQ(Queued(), (std::vector<MsgKind>{MsgKind::ActivateApp, MsgKind::KeyDown, MsgKind::RButtonDown, MsgKind::Char}));
    hl::ScheduleClick(hl::NowMs() + 5, MsgKind::LButtonDown, 400, 300);
    WaitMs(false, 20);
    EXPECT_EQ(Queued(), std::vector<MsgKind>{MsgKind::LButtonDown}) << "kept for after the wait";
}
