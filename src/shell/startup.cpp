// Start-up in its fixed order, and the teardown that mirrors it.
#include "frontend/startup.h"
#include "graphics/surfaces.h"
#include "persist/settings.h"
#include "services/clock.h"
#include "services/files.h"
#include "services/folders.h"
#include "services/random.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

ShellState Shell;

namespace {

// Drawn with the game's other pictures.
constexpr const char* kWindowIconFile = "torvanex.bmp";

}  // namespace

void ResetShellState() { Shell = ShellState{}; }

bool StartUp() {
    ConnectLayers();
    // The display message is shown directly: there is no software cursor yet.
    // A window that cannot be made means no display to show the game on (none
    // at all, or one that does not answer): the player is told, as when the
    // display refuses its mode, rather than left with a game that ends unseen.
    const auto displayFailed = [] {
        platform::ShowMessageBox("Can't create Directdraw object", "Torvanex", platform::kMbIconError);
        return false;
    };
    if (!platform::CreateMainWindow("Torvanex")) return displayFailed();
    Shell.MainWindow = true;
    ReseedRandom();
    ChooseFolders(platform::ExecutablePath(), FolderPlacesOfThisBuild());
    platform::SetWindowIcon(ProgramFile(kWindowIconFile));
    if (!CreateDisplaySlots()) return displayFailed();
    platform::ShowSystemCursor(false);
    Shell.CounterFrequency = platform::CounterFrequency();
    Shell.TickInterval = Shell.CounterFrequency / 18;
    LoadConfig();
    if (Sound.SoundOn) InitSound();
    if (Music.MusicOn) CheckMidiDevice();
    InitialiseGame();
    // Time spent starting up never produces a tick.
    Shell.ClockNow = Shell.LastTick = ReadCounter();
    return true;
}

void Teardown() {
    if (Shell.TornDown) return;
    Shell.TornDown = true;
    StopMusic();
    CloseMusic();
    ShutdownSound();
    platform::RestoreDisplayMode();
    ReleaseDisplay();
}

int RunProgram() {
    if (!StartUp()) {
        Teardown();
        platform::DestroyMainWindow();
        return 1;
    }
    const int status = RunMainLoop();
    platform::DestroyMainWindow();
    return status;
}
