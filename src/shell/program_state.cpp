// One call that puts every module back to its state at load, so each test
// starts from a fresh program.
#include "board/board_state.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "shell/file_io.h"
#include "shell/frame_tick.h"
#include "shell/random.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

void ResetProgramState() {
    ResetShellState();
    SetLastIoResult(0);
    Random = RandomState{};
    Ticks = FrameTickState{};
    ResetDisplayState();
    ResetCursorState();
    ResetGameState();
    ResetSoundState();
    ResetMusicState();
    ResetTextState();
}
