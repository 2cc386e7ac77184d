// The main loop: at most one frame tick and one message per pass. A late tick
// is not made up. When there is nothing to do the loop waits for input until
// the next tick is due instead of spinning a core.
#include "board/board_state.h"
#include "graphics/surfaces.h"
#include "services/clock.h"
#include "shell/frame_tick.h"
#include "shell/shell.h"

int QuitStatus() { return Shell.QuitStatus; }

PassResult RunPass() {
    bool ticked = false;
    if (Shell.AppActive) {
        if (Display.Slots[PrimarySlot].present && platform::IsSurfaceLost(Display.Slots[PrimarySlot].surface))
            RestoreSurfaces();
        Shell.ClockNow = ReadCounter();
        if (Shell.LastTick + Shell.TickInterval < Shell.ClockNow) {
            Game.SpawnTimer += 55;
            FrameTick();
            Shell.LastTick = Shell.ClockNow;
            ticked = true;
        }
    }
    platform::Message m;
    if (platform::TakeMessage(m)) {
        if (m.kind == platform::MsgKind::Quit) {
            Shell.QuitStatus = static_cast<int>(m.wParam);
            return PassResult::Quit;
        }
        // Once the window is gone its messages go nowhere; only the quit remains.
        if (Shell.MainWindow) WindowProc(m);
    } else if (!ticked) {
        // The first counter value at which the next tick is due.
        const int64_t nextTick = Shell.LastTick + Shell.TickInterval + 1;
        const int64_t idleLimit = ReadCounter() + Shell.CounterFrequency / 10;
        platform::WaitForMessage(Shell.AppActive ? nextTick : idleLimit);
    }
    return PassResult::Continue;
}

int RunMainLoop() {
    while (RunPass() == PassResult::Continue) {
    }
    return Shell.QuitStatus;
}
