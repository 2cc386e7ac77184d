// Every key, character and mouse event goes through DispatchInput, which routes
// it by ScreenState.
#pragma once

#include <cstdint>

// Handles one input event; Front.InputEvent tells which. `code` is the virtual
// key of a KeyDown, the character of a CharTyped, 0 for pointer events.
void DispatchInput(uint8_t code);
// The window was closed from the desktop: save as leaving the farewell screen does.
void SaveBeforeClosing();
