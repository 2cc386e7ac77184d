// The time-driven work of each screen, and the rebuild after a lost display.
#include "shell/frame_tick.h"

#include "board/board_state.h"
#include "board/spawn.h"
#include "frontend/screens.h"
#include "frontend/startup.h"
#include "graphics/cursor.h"
#include "moves/name_entry.h"

void FrameTick() {
    switch (Game.ScreenState) {
        case Playing:
            if (Game.SpawnTimer >= 2700 - 250 * static_cast<int64_t>(Game.Speed)) {
                Game.SpawnTimer = 0;
                SpawnStep();
            }
            break;
        case NameEntry:
            BlinkCaret();
            break;
        case TopScoresScreen:
            AnimateTopScores();
            break;
        case FarewellScreen:
            AnimateFarewell();
            break;
        default:
            break;
    }
}

void RedrawScreen() {
    Cursor.CursorBusy = 0;
    if (Game.ScreenState == StartScreen) {
        ShowStartScreen();
        return;
    }
    ReloadWorkImages();
    ShowGameScreen();
}
