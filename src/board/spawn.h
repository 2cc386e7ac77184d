// Starting games, setting up the board, the timed spawn step and the game's end.
#pragma once

void StartGame();
void SetUpBoard();
void SetUpBlocks();
void SpawnStep();
void EndGame();
void CheckTopScore();
bool NoEmptyCell();
