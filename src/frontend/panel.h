// The panel of buttons around the board.
#pragma once

#include <string>

#include "graphics/atlas.h"

// The buttons by index, beside the ones the board engine names itself
// (kModeButton, kSpeedButton, kLevelButton, kSkinButton, kGiveUpButton).
// Index 4 is a stretch of the top bar without a button.
constexpr int kHelpButton = 0;
constexpr int kSoundButton = 1;
constexpr int kMusicButton = 2;
constexpr int kMinimiseButton = 3;
constexpr int kExitButton = 5;
constexpr int kNewGameButton = 7;
constexpr int kStopButton = 10;
constexpr int kHomeButton = 12;

// Acts on the button under the pointer for the input event in Front.InputEvent.
void PanelInput();
// Highlights afresh the button under the pointer, as after a mouse move.
void RefreshPanelHover();
// Puts a button's normal (not highlighted) picture back on the screen; no cursor handling.
void DrawButtonNormal(int button);

// Where a button answers the pointer (index 4: the empty stretch of the top bar).
ScreenArea PanelButtonArea(int button);
// The whole bar of buttons across the top, and the column at the right of the board.
ScreenArea PanelTopBarArea();
ScreenArea PanelColumnArea();

// The address the home-page bar opens: the manual page in the program folder
// as a file URL; empty when the folder is not an absolute path.
std::string ManualPageUrl();
