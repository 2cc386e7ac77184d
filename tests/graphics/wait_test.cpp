// The blocking wait: the cursor keeps moving, input is held back, and left
// presses are eaten only when asked.
#include "graphics/wait.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "support/fresh_program.h"

namespace hl = platform::headless;
using platform::MsgKind;

class Wait : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
        Shell.AppActive = 1;
        Cursor.CursorBusy = 0;
        Cursor.CursorTracking = 1;
        DrawCursor();
        platform::Message activation;
        while (platform::TakeMessage(activation)) {
        }
    }
};

TEST_F(Wait, LastsAtLeastItsTimeAndMovesTheCursor) {
    const int64_t start = hl::NowMs();
    hl::ScheduleMouseMove(start + 5, 200, 150);
    WaitMs(true, 100);
    EXPECT_GE(hl::NowMs() - start, 100);
    EXPECT_EQ(Cursor.CursorX, 200);
    EXPECT_EQ(Cursor.CursorY, 150);
    EXPECT_EQ(Cursor.DrawnLeft, 200) << "the picture was redrawn at the new place";
}

TEST_F(Wait, DiscardsLeftPressesOnlyWhenAsked) {
    hl::ScheduleClick(hl::NowMs() + 5, MsgKind::LButtonDown, 400, 300);
    WaitMs(true, 50);
    platform::Message m;
    EXPECT_FALSE(platform::TakeMessage(m)) << "the press was eaten";

    hl::ScheduleClick(hl::NowMs() + 5, MsgKind::LButtonDown, 400, 300);
    WaitMs(false, 50);
    ASSERT_TRUE(platform::TakeMessage(m));
    EXPECT_EQ(m.kind, MsgKind::LButtonDown) << "kept for after the wait";
}

TEST_F(Wait, AnEatenPressPlacesThePointerWhereItWasMade) {
    // Both wait in the queue; moves are taken first, so the press made at A is
    // taken after the move to B.
    hl::ScheduleClick(hl::NowMs() + 1, MsgKind::LButtonDown, 120, 130);
    hl::ScheduleMouseMove(hl::NowMs() + 1, 500, 400);
    WaitMs(true, 20);
    EXPECT_EQ(Cursor.CursorX, 120);
    EXPECT_EQ(Cursor.CursorY, 130);
}

TEST_F(Wait, LeavesKeysAndOtherButtonsQueuedInOrder) {
    hl::ScheduleKey(hl::NowMs() + 2, 0x25);
    hl::ScheduleClick(hl::NowMs() + 3, MsgKind::RButtonDown, 400, 300);
    hl::ScheduleMouseMove(hl::NowMs() + 4, 10, 10);
    hl::ScheduleChar(hl::NowMs() + 5, 'a');
    WaitMs(true, 20);
    platform::Message m;
    ASSERT_TRUE(platform::TakeMessage(m));
    EXPECT_EQ(m.kind, MsgKind::KeyDown);
    ASSERT_TRUE(platform::TakeMessage(m));
    EXPECT_EQ(m.kind, MsgKind::RButtonDown);
    ASSERT_TRUE(platform::TakeMessage(m));
    EXPECT_EQ(m.kind, MsgKind::Char);
    EXPECT_FALSE(platform::TakeMessage(m));
}
