// Stand-in until start-up is built: the pictures, fonts and colours load, the
// music starts and the start screen shows, without settings or scores.
#include "frontend/startup.h"

#include "board/board_state.h"
#include "frontend/screens.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "services/number_text.h"
#include "sound/music.h"

std::string SkinFileName() { return NumberText(Game.SkinIndex + 1, 10, 2, 1) + ".skn"; }

void ReloadWorkImages() {
    EraseCursor();
    LoadBitmapFile(0, 0, 0, 0, WorkSlot, "back.wrk");
    LoadBitmapFile(0, 0, 0, 541, WorkSlot, SkinFileName());
}

void InitialiseGame() {
    LoadFonts();
    ScanMusicFiles();
    PlayNextMusic();
    Music.MusicRestart = 0;
    LoadBitmapFile(0, 0, 0, 0, WorkSlot, "back.wrk");
    LoadBitmapFile(0, 0, 0, 541, WorkSlot, SkinFileName());
    SampleColourTable();
    Cursor.CursorBusy = 0;
    Cursor.CursorTracking = 1;
    Game.ScreenState = StartScreen;
    ShowStartScreen();
}
