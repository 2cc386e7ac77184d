// Mode 2's arrow keys: close one empty column between pieces by one column.
#pragma once

constexpr int kLeftArrowKey = 0x25;
constexpr int kRightArrowKey = 0x27;

// The right arrow (0x27) pushes the pieces left of the first gap to the right;
// any other key pulls the pieces right of the last gap to the left.
void ShiftColumns(int key);
bool ColumnEmpty(int col);
bool PiecesLeftOf(int col);
bool PiecesRightOf(int col);
