// Loading everything once at start-up, and reloading the work pictures after
// the display was lost.
#pragma once

#include <string>

// Loads everything, shows the start screen and plays the title animation.
void InitialiseGame();
// Reloads the background and the current skin into the WorkSlot.
void ReloadWorkImages();
// The current skin's file: 01.skn, 02.skn or 03.skn.
std::string SkinFileName();
