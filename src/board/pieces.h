// The seven pipe kinds: how they open, how a walk passes through them, how a
// click turns them and which of them may stand on each edge of the board.
#pragma once

#include <cstdint>

enum Direction : int { West = 0, North = 1, East = 2, South = 3 };

constexpr int kStepCol[4] = {-1, 0, 1, 0};
constexpr int kStepRow[4] = {0, -1, 0, 1};

// A walk moving in `moving` may enter a cell holding `kind`.
bool Admits(int moving, uint8_t kind);
// The direction a walk leaves a cell of `kind` that it entered moving `moving`.
int Turn(uint8_t kind, int moving);
// The direction a loop walk first leaves a piece of `kind`.
int FirstDirection(uint8_t kind);
// The piece open toward `side`; false for the empty cell and any other code.
bool OpensToward(uint8_t code, int side);
// Rotation 0 counter-clockwise (left button), 1 clockwise (right button).
uint8_t Rotated(uint8_t kind, int rotation);

// Kinds with no side open toward the outside, by edge.
enum Edge : int { WestEdge = 0, EastEdge = 1, NorthEdge = 2, SouthEdge = 3 };
uint8_t EdgeKind(int edge, uint32_t index);
