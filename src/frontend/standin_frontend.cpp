// Stand-ins for the front end, which arrives with later work: a test pattern,
// a pointer that follows the mouse, Escape to leave. Nothing is saved.
#include <cstring>

#include "frontend/frontend.h"
#include "frontend/redraw.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "shell/shell.h"

namespace {

// An 18 x 25 arrow: 'X' outline, 'o' fill, '.' transparent.
constexpr const char* kArrow[25] = {
    "X.................", "XX................", "XoX...............", "XooX..............",
    "XoooX.............", "XooooX............", "XoooooX...........", "XooooooX..........",
    "XoooooooX.........", "XooooooooX........", "XoooooooooX.......", "XooooooooooX......",
    "XoooooooooooX.....", "XooooooXXXXXX.....", "XoooXooX..........", "XooXXooX..........",
    "XoX..XooX.........", "XX...XooX.........", "X.....XooX........", "......XooX........",
    ".......XooX.......", ".......XooX.......", "........XX........", "..................",
    "..................",
};

void DrawStandInPictures() {
    LockSlot(WorkSlot);
    SurfaceSlot& work = Display.Slots[WorkSlot];
    if (work.pixels) {
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 18; ++x) {
                const char c = kArrow[y][x];
                work.pixels[(541 + y) * work.pitch + x] = c == 'X' ? 0x0841 : c == 'o' ? 0xFFFF : 0;
            }
    }
    UnlockSlot(WorkSlot);
    LockSlot(PrimarySlot);
    SurfaceSlot& screen = Display.Slots[PrimarySlot];
    if (screen.pixels) {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const int cell = ((x / 50) + (y / 50)) & 1;
                const uint16_t r = static_cast<uint16_t>(x * 31 / 799), b = static_cast<uint16_t>(y * 31 / 599);
                screen.pixels[y * screen.pitch + x] = static_cast<uint16_t>((r << 11) | ((cell ? 40 : 20) << 5) | b);
            }
    }
    UnlockSlot(PrimarySlot);
}

}  // namespace

void InitialiseGame() {
    DrawStandInPictures();
    Cursor.CursorBusy = 0;
    Cursor.CursorTracking = 1;
    WaitForVerticalBlank();
    DrawCursor();
}

void DispatchInput(uint8_t code) {
    if (Shell.InputEvent == CharTyped && code == 27) platform::PostMessage({platform::MsgKind::Close, 0, 0, 0});
}

void LoadConfig() {}
void SaveOnClose() {}
void NameEntryTick() {}

void RedrawCurrentScreen() {
    DrawStandInPictures();
    WaitForVerticalBlank();
    DrawCursor();
}
