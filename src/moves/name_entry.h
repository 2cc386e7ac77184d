// Typing a name for a new top score.
#pragma once

// Empties the name, puts the caret at its start and keeps the screen behind the box.
void ResetNameField();
// Draws the name box and enters NameEntry.
void OpenNameEntry();
