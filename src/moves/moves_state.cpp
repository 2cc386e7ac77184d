#include "moves/moves_state.h"

MovesState Moves;

void ResetMovesState() { Moves = MovesState{}; }
