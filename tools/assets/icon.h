// The game's icon: the desktop's launcher icons and the window's own.
#pragma once

#include <string>

// icons/torvanex-N.png for N = 16, 32, 48, 64, 128, 256 and icons/torvanex.svg
// for the desktop, and torvanex.bmp (64 x 64, 32 bits with alpha) that the
// game sets on its window.
void WriteIcons(const std::string& folder);
