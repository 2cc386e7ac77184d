// The front end's part of the frame tick and of the rebuild after a lost display.
#pragma once

// Blinks the name-entry caret.
void NameEntryTick();
// Rebuilds whatever the current screen shows, reloading the pictures it needs.
void RedrawCurrentScreen();
