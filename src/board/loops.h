// Closed pipe loops: finding them, scoring them, and clearing them with their
// explosions, after which the board compacts (mode 0 settles towards the centre,
// mode 2 falls) and is searched again.
#pragma once

// True when the pipe through the piece at (col, row) closes. On success the
// loop's cells join the loop cell list and LoopMarks, and with `award` the loop
// scores 3 x steps + 2 x Speed - 4. On failure nothing changes.
bool FindLoopFrom(int row, int col, bool award);
// Finds, scores and removes loops until none is left; true when any was removed.
bool ClearLoops(bool award);
// Removes every marked cell with its animation and compacts the board.
void RemoveLoops();
// (col, row) is empty and some cell above it in its column holds a piece.
bool CanDrop(int col, int row);
