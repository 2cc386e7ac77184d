// Start-up in its fixed order, and the teardown that mirrors it.
#include "board/board_state.h"
#include "frontend/frontend.h"
#include "graphics/surfaces.h"
#include "shell/random.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

ShellState Shell;

void ResetShellState() { Shell = ShellState{}; }

std::string ProgramFolderOf(const std::string& executablePath) {
    const size_t cut = executablePath.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
}

std::string ProgramFile(const std::string& name) { return Shell.ProgramFolder + name; }

namespace {

bool CreateSlots() {
    using platform::SurfaceKind;
    if (InitDisplay(800, 600, 16) != 0) return false;
    if (CreateSurfaceSlot(PrimarySlot, 800, 600, SurfaceKind::Primary, false) != 0) return false;
    if (CreateSurfaceSlot(WorkSlot, 800, 689, SurfaceKind::VideoMemory, false) != 0 &&
        CreateSurfaceSlot(WorkSlot, 800, 689, SurfaceKind::SystemMemory, false) != 0)
        return false;
    return CreateSurfaceSlot(ComposeSlot, 800, 600, SurfaceKind::SystemMemory, false) == 0;
}

}  // namespace

bool StartUp() {
    if (!platform::CreateMainWindow("Torvanex")) return false;
    Shell.MainWindow = true;
    ReseedRandom();
    Shell.ProgramFolder = ProgramFolderOf(platform::ExecutablePath());
    if (!CreateSlots()) {
        // The display message is shown directly: there is no software cursor yet.
        platform::ShowMessageBox("Can't create Directdraw object", "Torvanex", platform::kMbIconError);
        return false;
    }
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
