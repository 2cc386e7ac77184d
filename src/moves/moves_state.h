// The moves' own state: the cell of the last left press on the board, and
// the name being typed for a new top score with its caret.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_state.h"
#include "moves/caret.h"

struct MovesState {
    CellPos GrabCell{0, 0};   // col -1: nothing grabbed
    std::string EntryName;    // at most 25 characters
    TextCaret Caret;          // its text is EntryName once the box is set up
};
extern MovesState Moves;
void ResetMovesState();
