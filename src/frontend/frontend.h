// What the shell calls in the front end.
#pragma once

#include <cstdint>

// Loads everything, shows the start screen and plays the title animation.
void InitialiseGame();
// Handles one input event; Shell.InputEvent tells which.
void DispatchInput(uint8_t code);
// The settings switches for sound and music, read before the devices are set up.
void LoadConfig();
// Closing the window from the desktop saves as leaving the farewell screen does.
void SaveOnClose();
