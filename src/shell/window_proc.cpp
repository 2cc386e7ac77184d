// Turns window messages into the game's seven input events.
#include "frontend/dispatch.h"
#include "frontend/front_state.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "shell/shell.h"
#include "sound/music.h"

namespace {

// Only these keys become KeyDown events: Clear, Shift, Ctrl, Pause, Caps Lock,
// Page Up/Down, End, Home, the arrows, Insert, Delete, F1..F12, Num Lock, Scroll Lock.
struct KeySet {
    uint8_t bits[32] = {};
    constexpr KeySet() {
        const int keys[] = {0x0C, 0x10, 0x11, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D,
                            0x2E, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x90, 0x91};
        for (int k : keys) bits[k / 8] = static_cast<uint8_t>(bits[k / 8] | (1 << (k % 8)));
    }
};
constexpr KeySet kCommandKeys;

void Dispatch(InputEventCode event, uint8_t code) {
    Front.InputEvent = event;
    DispatchInput(code);
}

void MouseMoved(const platform::Message& m) {
    if (Cursor.CursorBusy || !Cursor.CursorTracking || !Shell.AppActive) return;
    AdvanceCursorFrame();
    Cursor.CursorX = static_cast<int16_t>(m.x);
    Cursor.CursorY = static_cast<int16_t>(m.y);
    if (Cursor.CursorDrawn) {
        WaitForVerticalBlank();
        EraseCursor();
        DrawCursor();
    }
    Dispatch(MouseMove, 0);
}

void Button(InputEventCode event) {
    Front.InputEvent = event;
    if (Shell.AppActive) DispatchInput(0);
}

}  // namespace

bool IsCommandKey(uint8_t virtualKey) { return (kCommandKeys.bits[virtualKey / 8] >> (virtualKey % 8)) & 1; }

void WindowProc(const platform::Message& m) {
    using platform::MsgKind;
    switch (m.kind) {
        case MsgKind::ActivateApp:
            Shell.AppActive = static_cast<uint8_t>(m.wParam & 0xFF);
            // The cursor picture is considered gone with the screen.
            if (!Shell.AppActive) Cursor.CursorDrawn = 0;
            break;
        case MsgKind::KeyDown:
            if (Shell.AppActive && IsCommandKey(static_cast<uint8_t>(m.wParam)))
                Dispatch(KeyDown, static_cast<uint8_t>(m.wParam));
            break;
        case MsgKind::Char:
            if (Shell.AppActive) Dispatch(CharTyped, static_cast<uint8_t>(m.wParam));
            break;
        case MsgKind::MouseMove:
            MouseMoved(m);
            break;
        case MsgKind::LButtonDown:
            Button(LeftDown);
            break;
        case MsgKind::RButtonDown:
            Button(RightDown);
            break;
        case MsgKind::LButtonUp:
            Button(LeftUp);
            break;
        case MsgKind::RButtonUp:
            Button(RightUp);
            break;
        case MsgKind::MusicNotify:
            PlayNextMusic();
            break;
        case MsgKind::Close:
            // Closing from the desktop saves as leaving the farewell screen does,
            // then the window is destroyed: teardown and the quit message.
            SaveBeforeClosing();
            Teardown();
            // The window is destroyed: the application is no longer active.
            Shell.MainWindow = false;
            Shell.AppActive = 0;
            platform::PostQuit(0);
            break;
        case MsgKind::Quit:
            break;
    }
}
