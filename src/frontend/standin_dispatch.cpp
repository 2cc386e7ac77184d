// Stand-in until input dispatch is built: on the start screen any key or click
// starts a game of the current mode, and Escape leaves.
#include "frontend/dispatch.h"

#include "board/board_state.h"
#include "board/spawn.h"
#include "frontend/front_state.h"
#include "platform/platform.h"

void DispatchInput(uint8_t code) {
    const bool press = Front.InputEvent == LeftDown;
    const bool typed = Front.InputEvent == CharTyped;
    if (Game.ScreenState == StartScreen && (press || typed)) {
        StartGame();
    } else if (typed && code == 27) {
        platform::PostMessage({platform::MsgKind::Close, 0, 0, 0});
    }
}

void SaveBeforeClosing() {}
