// Start-up loads everything once, in a fixed order, and ends on the start
// screen with its title animation.
#include "frontend/startup.h"

#include "board/board_state.h"
#include "frontend/front_state.h"
#include "frontend/screens.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "persist/settings.h"
#include "persist/top_scores.h"
#include "platform/platform.h"
#include "services/number_text.h"
#include "sound/music.h"

std::string SkinFileName() { return NumberText(Game.SkinIndex + 1, 10, 2, 1) + ".skn"; }

namespace {

void LoadWorkImages() {
    LoadBitmapFile(0, 0, 0, 0, WorkSlot, "back.wrk");
    LoadBitmapFile(0, 0, 0, kSkinTop, WorkSlot, SkinFileName());
}

}  // namespace

void ReloadWorkImages() {
    EraseCursor();
    LoadWorkImages();
    // The next mouse message then reports the position the game already shows.
    platform::SetSystemCursorPos(Cursor.CursorX, Cursor.CursorY);
}

void InitialiseGame() {
    LoadByteSettings();
    Front.ScoresViewMode = Game.GameMode;
    LoadFonts();
    LoadTopScores();
    ScanMusicFiles();
    PlayNextMusic();
    Music.MusicRestart = 0;
    LoadWorkImages();
    SampleColourTable();
    // The cursor's picture and save-under area lie in the skin; it is not
    // drawn on the start screen, but from now on it follows the mouse.
    Cursor.CursorX = 400;
    Cursor.CursorY = 300;
    Cursor.CursorBusy = 0;
    Cursor.CursorTracking = 1;
    Game.ScreenState = StartScreen;
    ComposeStartScreen();
    WaitForVerticalBlank();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    TitleAnimation(PrimarySlot);
}
