// The panel of buttons around the board.
#pragma once

// Acts on the button under the pointer for the input event in Shell.InputEvent.
void PanelInput();
// Puts a button's normal (not highlighted) picture back on the screen; no cursor handling.
void DrawButtonNormal(int button);
