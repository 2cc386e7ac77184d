// Mode 1: drawing lines from block to block with the mouse and the keyboard,
// taking them back, and removing the blocks of a line that closes.
#pragma once

#include <cstdint>

// A press of button 0 (left) or 1 (right) on the cell under the pointer.
void ClickBlock(int button);
// One step of the line from its end to the block at (col, row): along a row or
// a column, over no block and through no wall (refused with effect 9). A step
// back to the first block closes the line and removes its blocks.
void ExtendLine(int col, int row);
// Takes back the last step, or drops the line's first block when there is none.
void UndoLineStep();
// A command key or a typed character while playing mode 1: both arrive here
// as plain codes, so "%", "&", "'", "(" and "." act as the arrows and Delete.
void LineKey(uint8_t code);
