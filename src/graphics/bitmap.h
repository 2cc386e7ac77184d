// Pictures enter the game only here: a bitmap file of the program folder,
// copied into a surface slot.
#pragma once

#include <string>

// Copies the picture in file `name` (used exactly as given: no extension is
// added) so that its point (sourceX, sourceY) lands on (destinationX,
// destinationY) of `slot`; what falls outside the slot is cut off. A missing or
// unreadable file, or one claiming more pixels than it holds or than the slot
// has, ends the program with "File not found. Please reinstall Torvanex".
void LoadBitmapFile(int sourceX, int sourceY, int destinationX, int destinationY, int slot, const std::string& name);
