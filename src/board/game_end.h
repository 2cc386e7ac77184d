// How a game ends: the board full or blocked at a spawn step, the mode-2 board
// emptied, or the player giving up. Each shows the game-over picture, sets
// GameOver and asks for a name when the score enters the table.
#pragma once

// The board is full (modes 0 and 2) or holds its last block (mode 1).
void EndGame();
// Mode 2: the last piece is gone; the player earns the bonus.
void EndEmptiedBoard();
// Mode 2: the give-up button.
void EndGivenUp();
// Opens the name entry when the score enters the current table.
void CheckTopScore();
