#include "board/board_state.h"

GameState Game;

void ResetGameState() { Game = GameState{}; }

bool HoldsPiece(int col, int row) { return OnBoard(col, row) && Game.Board[CellIndex(col, row)] < kEmptyPipeCell; }

void MovePiece(int fromCol, int fromRow, int toCol, int toRow) {
    const int from = CellIndex(fromCol, fromRow), to = CellIndex(toCol, toRow);
    Game.Board[to] = Game.Board[from];
    Game.LockFlags[to] = Game.LockFlags[from];
    Game.Board[from] = kEmptyPipeCell;
    Game.LockFlags[from] = 0;
}
