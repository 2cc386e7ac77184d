// Starting games, setting up the board, the timed spawn step and the game's end.
#pragma once

#include <cstdint>

// Who asks for a piece decides how it may come out locked (with Level 1 only).
enum class LockDraw { Spawner, SetUp };

void StartGame();
void SetUpBoard();
void SetUpBlocks();
// Chooses and places a pipe piece in (col, row): no cross or straight opening
// off the board, a fixed corner in the board's corners. `lockedPlaced` counts
// the set-up's locked pieces (at most 10). Returns the kind placed.
uint8_t ChoosePiece(int col, int row, LockDraw draw, int lockedPlaced);
void SpawnStep();
bool NoEmptyCell();
