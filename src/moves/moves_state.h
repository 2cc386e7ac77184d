// The moves' own state: the cell of the last left press on the board, and
// the name being typed for a new top score with its caret.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_state.h"

// The one-line text field of the name entry and its blinking caret.
struct TextCaret {
    int32_t pos = 0;       // characters before the caret
    int32_t barX = 0, barY = 0;
    int32_t saveX = 0, saveY = 0;
    int32_t textX = 0, textY = 0;
    int32_t lastRow = 0;   // caret height - 1
    int32_t spacing = 0;
    int32_t blink = 0;     // frame ticks since the caret was last shown
};

struct MovesState {
    CellPos GrabCell{0, 0};   // col -1: nothing grabbed
    std::string EntryName;    // at most 25 characters
    TextCaret Caret;
};
extern MovesState Moves;
void ResetMovesState();
