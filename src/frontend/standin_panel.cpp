// Stand-in until the panel buttons are built: no button acts or lights up.
// The normal pictures are the panel's own, so the engine can already put them back.
#include "frontend/panel.h"

#include "board/board_state.h"
#include "board/drawing.h"
#include "graphics/surfaces.h"

namespace {

struct ButtonPicture {
    int x, y, w, h;      // screen position and size
    int fromX, fromY;    // normal picture in the WorkSlot
};
constexpr ButtonPicture kButtons[14] = {
    {18, 15, 80, 39, 18, 15},     {130, 14, 104, 32, 130, 14}, {264, 14, 101, 31, 264, 14},
    {398, 15, 107, 30, 398, 15},  {0, 0, 0, 0, 0, 0},          {711, 14, 72, 31, 711, 14},
    {552, 214, 202, 38, 15, 156}, {553, 271, 178, 37, 16, 213}, {553, 322, 104, 38, 16, 264},
    {553, 378, 88, 29, 16, 320},  {553, 436, 208, 30, 16, 378}, {553, 494, 193, 31, 16, 436},
    {279, 563, 257, 27, 0, 510},  {90, 547, 105, 47, 680, 247},
};

}  // namespace

void PanelInput() {}

void RefreshPanelHover() {}

void DrawButtonNormal(int button) {
    if (button < 0 || button > 13 || button == 4) return;
    if (button == kModeButton) {
        DrawModeTitle(PrimarySlot);
        return;
    }
    const ButtonPicture& b = kButtons[button];
    BlitOpaque(b.fromX, b.fromY, b.fromX + b.w - 1, b.fromY + b.h - 1, b.x, b.y, WorkSlot, PrimarySlot);
}
