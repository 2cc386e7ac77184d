// Every module's state back to its value at load, and the wiring of the calls
// that lower layers make upward: all of them are listed here.
#include "board/board_state.h"
#include "board/front_end_calls.h"
#include "frontend/front_state.h"
#include "frontend/panel.h"
#include "frontend/screens.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "moves/moves_state.h"
#include "moves/name_entry.h"
#include "persist/top_scores.h"
#include "services/files.h"
#include "services/messages.h"
#include "services/random.h"
#include "shell/frame_tick.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace {

bool HideCursorForMessage() {
    const bool wasDrawn = Cursor.CursorDrawn;
    if (wasDrawn) EraseCursor();
    return wasDrawn;
}

void OpenNameEntryForNewScore() {
    ResetNameField();
    OpenNameEntry();
}

}  // namespace

void ConnectLayers() {
    ConnectRedraw(RedrawScreen);
    ConnectMessages({HideCursorForMessage, DrawCursor, Teardown});
    ConnectFrontEnd({ShowGameScreen, RefreshPanelHover, DrawButtonNormal, Qualifies, OpenNameEntryForNewScore});
}

void ResetProgramState() {
    ResetShellState();
    ResetFilesState();
    Random = RandomState{};
    ResetDisplayState();
    ResetCursorState();
    ResetTextState();
    ResetGameState();
    ResetSoundState();
    ResetMusicState();
    ResetMovesState();
    ResetFrontEndState();
    ResetPersistState();
    ConnectLayers();
}
