#include "board/board_state.h"

GameState Game;

void ResetGameState() { Game = GameState{}; }
