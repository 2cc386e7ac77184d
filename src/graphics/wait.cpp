// The blocking wait: time passes, the pointer moves, nothing is dispatched.
#include "graphics/wait.h"

#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "services/clock.h"

void WaitMs(bool discardClicks, int64_t ms) {
    const int64_t start = ReadCounter();
    int16_t drawnX = Cursor.CursorX;
    int16_t drawnY = Cursor.CursorY;
    const int64_t deadline = start + (platform::CounterFrequency() / 1000) * ms;
    do {
        platform::Sleep(1);
        platform::Message m;
        bool took = platform::TakeMessageOfKind(platform::MsgKind::MouseMove, m);
        if (!took && discardClicks) took = platform::TakeMessageOfKind(platform::MsgKind::LButtonDown, m);
        if (took) {
            // The message is not dispatched: the game sees no input during a wait.
            // A discarded press also places the pointer where it was made.
            AdvanceCursorFrame();
            Cursor.CursorX = static_cast<int16_t>(m.x);
            Cursor.CursorY = static_cast<int16_t>(m.y);
            if (Cursor.CursorDrawn && (Cursor.CursorX != drawnX || Cursor.CursorY != drawnY)) {
                WaitForVerticalBlank();
                EraseCursor();
                DrawCursor();
                drawnX = Cursor.CursorX;
                drawnY = Cursor.CursorY;
            }
        }
    } while (ReadCounter() < deadline);
}
