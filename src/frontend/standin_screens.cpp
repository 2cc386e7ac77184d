// Stand-in until the screens are built: the start screen shows its notices, the
// game screen is composed as far as the board engine can draw it, and the
// top-score and farewell screens are not there yet. The two small animations
// of those screens already run as the frame tick asks.
#include "board/board_state.h"
#include "board/drawing.h"
#include "frontend/front_state.h"
#include "frontend/screens.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "platform/platform.h"
#include "services/files.h"

void TitleAnimation(int) {}

void ShowStartScreen() {
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "zast.wrk");
    LockSlot(ComposeSlot);
    SurfaceSlot& compose = Display.Slots[ComposeSlot];
    if (compose.pixels) {
        const char* notices[3] = {"Any key or click starts a game.", "The full game is on its way.",
                                  "Escape leaves."};
        for (int i = 0; i < 3; ++i)
            DrawString(8, 554 + 13 * i, compose.pitch, 1, Text.ColourTable[28], Text.SmallFont, compose.pixels,
                       compose.height, notices[i]);
        DrawString(620, 100, compose.pitch, 1, Text.ColourTable[23], Text.LargeFont, compose.pixels, compose.height,
                   "Top Scores");
    }
    UnlockSlot(ComposeSlot);
    WaitForVerticalBlank();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
}

void ShowGameScreen() {
    if (platform::FileExists(ProgramFile("zast.wrk"))) LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "zast.wrk");
    BlitOpaque(0, 0, 799, 64, 0, 0, WorkSlot, ComposeSlot);
    BlitOpaque(0, 142, 234, 482, 537, 200, WorkSlot, ComposeSlot);
    BlitOpaque(235, 132, 469, 186, 537, 122, WorkSlot, ComposeSlot);
    DrawLevelGlyph(ComposeSlot);
    DrawSpeed(ComposeSlot);
    DrawScore(ComposeSlot);
    DrawModeTitle(ComposeSlot);
    DrawBoard(ComposeSlot);
    if (Game.ScreenState == GameOver) DrawGameOverPicture(ComposeSlot);
    BlitOpaque(0, 510, 256, 536, 279, 563, WorkSlot, ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    if (Game.GameMode == 2) {
        DrawGiveUpButton(true, PrimarySlot);
        DrawPieceCounters();
    }
    DrawCursor();
    Game.HoverButton = kNoButton;
}

void ShowTopScores() {}
void ShowFarewell() {}

void AnimateTopScores() {
    Front.ScoresAnimFrame = (Front.ScoresAnimFrame + 1) % 24;
    const int f = Front.ScoresAnimFrame;
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(760, 187, 794, 221, 313, 137, WorkSlot, PrimarySlot);
    const int left = 236 + 37 * (f % 12);
    const int top = 273 + 37 * (f / 12);
    BlitKeyed(left, top, left + 34, top + 34, 313, 137, WorkSlot, PrimarySlot);
    DrawCursor();
}

// A new farewell frame every second tick; the cursor bracket runs on every tick.
void AnimateFarewell() {
    WaitForVerticalBlank();
    EraseCursor();
    Front.FarewellAnimPhase = static_cast<uint8_t>(1 - Front.FarewellAnimPhase);
    if (Front.FarewellAnimPhase == 1) {
        const int k = Front.FarewellAnimFrame;
        const int left = 679 + 23 * (k % 5);
        const int top = 346 + 21 * (k / 5);
        BlitOpaque(left, top, left + 22, top + 20, 345, 54, WorkSlot, PrimarySlot);
        Front.FarewellAnimFrame = (k + 1) % 15;
    }
    DrawCursor();
}
