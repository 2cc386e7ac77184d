// The moves of modes 0 and 2: a press turns a piece a quarter turn and either
// clears the loop it closes or lights the pipe it belongs to; in mode 2 the
// piece last pressed can be dragged sideways into another column.
#pragma once

#include <cstdint>

// A press on the board: button 0 left (counter-clockwise), 1 right (clockwise).
// Mode 1 hands it to the line drawing.
void BoardPress(int button);
// Turns the piece under the pointer.
void RotateCell(int button);
// Lights the pipe through (col, row) both ways for 150 ms.
void TraceConnection(int row, int col);
// The cells that trace lights, marked in `marks` (144 cells, zeroed by the
// caller): the start cell 1, every cell the pipe enters 1 more, a cross
// entered north or south 2 more, so a cross shows 1 for its east-west path,
// 2 for its north-south path, 3 for both. False when the pipe enters no cell.
bool TraceMarks(int row, int col, uint8_t* marks);
// Mode 2: the left button released over the board drags the grabbed piece
// toward the pointer's column.
void SlideGrabbed();
