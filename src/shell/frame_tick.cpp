// The time-driven work of each screen, and the rebuild after a lost display.
#include "shell/frame_tick.h"

#include "board/board_state.h"
#include "board/spawn.h"
#include "frontend/redraw.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"

FrameTickState Ticks;

namespace {

void BracketBegin() {
    WaitForVerticalBlank();
    EraseCursor();
}

void TopScoresTick() {
    Ticks.ScoresAnimFrame = (Ticks.ScoresAnimFrame + 1) % 24;
    const int f = Ticks.ScoresAnimFrame;
    BracketBegin();
    BlitOpaque(760, 187, 794, 221, 313, 137, WorkSlot, PrimarySlot);
    const int left = 236 + 37 * (f % 12);
    const int top = 273 + 37 * (f / 12);
    BlitKeyed(left, top, left + 34, top + 34, 313, 137, WorkSlot, PrimarySlot);
    DrawCursor();
}

// A new farewell frame every second tick; the cursor bracket runs on every tick.
void FarewellTick() {
    BracketBegin();
    Ticks.FarewellAnimPhase = static_cast<uint8_t>(1 - Ticks.FarewellAnimPhase);
    if (Ticks.FarewellAnimPhase == 1) {
        const int k = Ticks.FarewellAnimFrame;
        const int left = 679 + 23 * (k % 5);
        const int top = 346 + 21 * (k / 5);
        BlitOpaque(left, top, left + 22, top + 20, 345, 54, WorkSlot, PrimarySlot);
        Ticks.FarewellAnimFrame = (k + 1) % 15;
    }
    DrawCursor();
}

}  // namespace

void FrameTick() {
    switch (Game.ScreenState) {
        case Playing:
            if (Game.SpawnTimer >= 2700 - 250 * static_cast<int64_t>(Game.Speed)) {
                Game.SpawnTimer = 0;
                SpawnStep();
            }
            break;
        case NameEntry:
            NameEntryTick();
            break;
        case TopScoresScreen:
            TopScoresTick();
            break;
        case FarewellScreen:
            FarewellTick();
            break;
        default:
            break;
    }
}

void RedrawScreen() {
    Cursor.CursorBusy = 0;
    RedrawCurrentScreen();
}
