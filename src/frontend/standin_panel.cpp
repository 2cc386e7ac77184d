// Stand-in until the panel buttons are built: no button acts or lights up.
// The normal pictures are the panel's own, so the engine can already put them back.
#include "frontend/panel.h"

#include "board/board_state.h"
#include "board/drawing.h"
#include "graphics/surfaces.h"

namespace {

// Index 4 has no button; the mode button's look depends on the mode.
constexpr Picture kNormal[14] = {
    WorkPicture("button_help"),    WorkPicture("button_sound"), WorkPicture("button_music"),
    WorkPicture("button_minimise"), Picture{},                   WorkPicture("button_exit"),
    Picture{},                      WorkPicture("button_newgame"), WorkPicture("button_speed"),
    WorkPicture("button_level"),    WorkPicture("button_stop"),  WorkPicture("button_skin"),
    WorkPicture("button_home"),     WorkPicture("button_giveup"),
};

}  // namespace

void PanelInput() {}

void RefreshPanelHover() {}

void DrawButtonNormal(int button) {
    if (button < 0 || button > 13 || button == 4) return;
    if (button == kModeButton)
        DrawModeTitle(PrimarySlot);
    else
        CopyPicture(kNormal[button], PrimarySlot);
}
