// The time-driven work of each screen, and the rebuild after a lost display.
#include "shell/frame_tick.h"

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/spawn.h"
#include "frontend/help.h"
#include "frontend/screens.h"
#include "frontend/startup.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
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
    switch (Game.ScreenState) {
        case StartScreen:
            // The title is built from pieces of the WorkSlot, which the loss emptied too.
            ReloadWorkImages();
            ShowStartScreen();
            break;
        case Playing:
        case Stopped:
        case GameOver:
        case NameEntry:
            ReloadWorkImages();
            ShowGameScreen();
            if (Game.GameMode == 1) DrawBlockGauge(PrimarySlot);
            if (Game.ScreenState == NameEntry) OpenNameEntry();
            break;
        case HelpScreen:
            ReloadWorkImages();
            ShowHelp();
            break;
        case TopScoresScreen:
            ReloadWorkImages();
            ShowTopScores();
            break;
        case FarewellScreen:
            ReloadWorkImages();
            ShowFarewell();
            break;
        default:
            break;
    }
}
