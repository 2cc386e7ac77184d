// Stand-ins for the game screen, the panel, the top-score table and the name
// entry, which later work replaces. The game screen is composed as far as the
// board engine can draw it, so a game is playable and visible meanwhile.
#include "board/board_state.h"
#include "board/drawing.h"
#include "frontend/panel.h"
#include "frontend/screens.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "moves/name_entry.h"
#include "persist/top_scores.h"
#include "platform/platform.h"
#include "shell/shell.h"

namespace {

struct ButtonPicture {
    int x, y, w, h;      // screen position and size
    int fromX, fromY;    // normal picture in the WorkSlot
};
constexpr ButtonPicture kButtons[14] = {
    {18, 15, 80, 39, 18, 15},     {130, 14, 104, 32, 130, 14}, {264, 14, 101, 31, 264, 14},
    {398, 15, 107, 30, 398, 15},  {0, 0, 0, 0, 0, 0},          {711, 14, 72, 31, 711, 14},
    {552, 214, 202, 38, 15, 156}, {553, 271, 178, 37, 16, 213}, {553, 322, 104, 38, 16, 264},
    {553, 378, 88, 29, 16, 320},  {553, 436, 208, 30, 16, 378}, {553, 494, 193, 31, 16, 436},
    {279, 563, 257, 27, 0, 510},  {90, 547, 105, 47, 680, 247},
};

}  // namespace

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
    if (Game.ScreenState == GameOver) BlitOpaque(470, 132, 679, 271, 195, 262, WorkSlot, ComposeSlot);
    BlitOpaque(0, 510, 256, 536, 279, 563, WorkSlot, ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    if (Game.GameMode == 2) {
        DrawGiveUpButton(true, PrimarySlot);
        DrawPieceCounters();
    }
    DrawCursor();
    Game.HoverButton = 100;
}

void PanelInput() {}

void DrawButtonNormal(int button) {
    if (button < 0 || button > 13 || button == 4) return;
    if (button == 6) {
        DrawModeTitle(PrimarySlot);
        return;
    }
    const ButtonPicture& b = kButtons[button];
    BlitOpaque(b.fromX, b.fromY, b.fromX + b.w - 1, b.fromY + b.h - 1, b.x, b.y, WorkSlot, PrimarySlot);
}

// The default tables hold one score above 0 and four of 0, so until the table
// arrives any positive score enters it.
bool Qualifies(int32_t score) { return score > 0; }

void ResetNameField() {}

void OpenNameEntry() { Game.ScreenState = NameEntry; }
