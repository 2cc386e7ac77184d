// Stand-ins for the front end, which arrives with later work: the pictures,
// fonts and colours load, the start screen shows, any key or click starts a
// game of the current mode, and Escape leaves. Sound and music are on, as
// without a settings file; nothing is saved.
#include "board/board_state.h"
#include "board/spawn.h"
#include "frontend/frontend.h"
#include "frontend/redraw.h"
#include "frontend/screens.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/number_text.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace {

std::string SkinFile() { return NumberText(Game.SkinIndex + 1, 10, 2, 1) + ".skn"; }

void LoadWorkImages() {
    LoadBitmapFile(0, 0, 0, 0, WorkSlot, "back.wrk");
    LoadBitmapFile(0, 0, 0, 541, WorkSlot, SkinFile());
}

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

}  // namespace

void InitialiseGame() {
    LoadFonts();
    ScanMusicFiles();
    PlayNextMusic();
    Music.MusicRestart = 0;
    LoadWorkImages();
    SampleColourTable();
    Cursor.CursorBusy = 0;
    Cursor.CursorTracking = 1;
    Game.ScreenState = StartScreen;
    ShowStartScreen();
}

void DispatchInput(uint8_t code) {
    const bool press = Shell.InputEvent == LeftDown;
    const bool typed = Shell.InputEvent == CharTyped;
    if (Game.ScreenState == StartScreen && (press || typed)) {
        StartGame();
    } else if (typed && code == 27) {
        platform::PostMessage({platform::MsgKind::Close, 0, 0, 0});
    }
}

void LoadConfig() {
    Sound.SoundOn = 1;
    Sound.SoundNeedsSetup = 0;
    Music.MusicOn = 1;
    Music.MidiUnchecked = 0;
}
void SaveOnClose() {}
void NameEntryTick() {}

void RedrawCurrentScreen() {
    if (Game.ScreenState == StartScreen) {
        ShowStartScreen();
        return;
    }
    EraseCursor();
    LoadWorkImages();
    ShowGameScreen();
}
