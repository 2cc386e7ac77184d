// Typing a name for a new top score, in a box over the game screen.
#pragma once

#include <cstdint>

// Empties the name, puts the caret at its start and keeps the screen behind the box.
void ResetNameField();
// Draws the box with the name typed so far and enters NameEntry.
void OpenNameEntry();
// A typed character, or 0 for a left press.
void NameEntryInput(uint8_t code);
// The caret's blink, one frame tick at a time.
void BlinkCaret();
