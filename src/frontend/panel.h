// The panel of buttons around the board.
#pragma once

// Acts on the button under the pointer for the input event in Front.InputEvent.
void PanelInput();
// Highlights afresh the button under the pointer, as after a mouse move.
void RefreshPanelHover();
// Puts a button's normal (not highlighted) picture back on the screen; no cursor handling.
void DrawButtonNormal(int button);
