// The loop walk, the board scan and the clearing with its compaction.
#include "board/loops.h"

#include <cstring>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/front_end_calls.h"
#include "board/game_end.h"
#include "board/pieces.h"
#include "board/spiral.h"
#include "graphics/surfaces.h"
#include "graphics/wait.h"
#include "sound/effects.h"

namespace {

int LitPicture(uint8_t code, uint8_t mark) {
    if (code == 0 && mark == 1) return kCrossLitHorizontal;
    if (code == 0 && mark == 2) return kCrossLitVertical;
    return code + kLitOffset;
}

// The pieces of the cells whose outward neighbours still hold pieces move in,
// walking the spiral from its outer end; after every move the walk starts over.
void SettleTowardsCentre() {
    Game.SettleCursor = {11, 0};
    for (;;) {
        CellPos& at = Game.SettleCursor;
        bool moved = false;
        if (Game.Board[CellIndex(at.col, at.row)] >= kEmptyPipeCell) {
            CellPos sources[2];
            if (at.col <= 5 && at.row <= 5) sources[0] = {at.col - 1, at.row}, sources[1] = {at.col, at.row - 1};
            else if (at.col <= 5) sources[0] = {at.col, at.row + 1}, sources[1] = {at.col - 1, at.row};
            else if (at.row <= 5) sources[0] = {at.col + 1, at.row}, sources[1] = {at.col, at.row - 1};
            else sources[0] = {at.col, at.row + 1}, sources[1] = {at.col + 1, at.row};
            for (const CellPos& source : sources)
                if (HoldsPiece(source.col, source.row)) {
                    MovePiece(source.col, source.row, at.col, at.row);
                    moved = true;
                    break;
                }
        }
        if (moved) {
            Game.SettleCursor = {11, 0};
            continue;
        }
        if (at == CellPos{5, 5}) break;
        NextSettleCell(at);
    }
    BeginDrawing();
    DrawBoard(PrimarySlot);
    EndDrawing();
}

void FallDown() {
    for (bool moved = true; moved;) {
        moved = false;
        for (int row = kBoardSize - 1; row >= 1; --row)
            for (int col = 0; col < kBoardSize; ++col) {
                if (!CanDrop(col, row)) continue;
                // The column above moves down one; its top cell ends empty.
                for (int r = row; r >= 1; --r) MovePiece(col, r - 1, col, r);
                moved = true;
            }
        if (moved) {
            BeginDrawing();
            DrawBoard(PrimarySlot);
            EndDrawing();
            WaitMs(true, 50);
        }
    }
    DrawPieceCounters();
}

}  // namespace

bool CanDrop(int col, int row) {
    if (Game.Board[CellIndex(col, row)] < kEmptyPipeCell) return false;
    for (int r = row - 1; r >= 0; --r)
        if (Game.Board[CellIndex(col, r)] < kEmptyPipeCell) return true;
    return false;
}

bool FindLoopFrom(int row, int col, bool award) {
    const int start = CellIndex(col, row);
    if (Game.LoopMarks[start] != 0 || Game.Board[start] >= kEmptyPipeCell) return false;
    uint8_t visits[kCells] = {};
    const int32_t listedBefore = Game.LoopCellLast;
    int steps = 0;
    int c = col, r = row;
    int direction = FirstDirection(Game.Board[start]);
    bool closed = false;
    // A walk is reversible, so it comes back to its start or fails within
    // 4 x 144 steps; the bound only guards against a broken table.
    for (int guard = 0; guard < 4 * kCells; ++guard) {
        c += kStepCol[direction];
        r += kStepRow[direction];
        if (!OnBoard(c, r)) break;
        const int cell = CellIndex(c, r);
        const uint8_t kind = Game.Board[cell];
        if (kind >= kEmptyPipeCell || !Admits(direction, kind)) break;
        ++steps;
        direction = Turn(kind, direction);
        // Every cell is listed once per walk; the list holds two entries per
        // cell, enough for a cross shared by two loops, and never more.
        if (visits[cell] == 0 && Game.LoopCellLast + 1 < kLoopListCapacity) {
            ++Game.LoopCellLast;
            Game.LoopCellCol[Game.LoopCellLast] = static_cast<uint8_t>(c);
            Game.LoopCellRow[Game.LoopCellLast] = static_cast<uint8_t>(r);
        }
        ++visits[cell];
        if (kind == 0 && (direction == North || direction == South)) ++visits[cell];
        if (cell == start) {
            closed = true;
            break;
        }
    }
    if (!closed) {
        Game.LoopCellLast = listedBefore;
        return false;
    }
    for (int i = 0; i < kCells; ++i) Game.LoopMarks[i] = static_cast<uint8_t>(Game.LoopMarks[i] + visits[i]);
    if (award) Game.Score += 2 * (steps + Game.Speed) + steps - 4;
    return true;
}

bool ClearLoops(bool award) {
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    bool cleared = false;
    bool found;
    do {
        found = false;
        Game.LoopCellLast = -1;
        for (int row = 0; row < kBoardSize; ++row)
            for (int col = 0; col < kBoardSize; ++col) {
                const uint8_t code = Game.Board[CellIndex(col, row)];
                // A cross is never a start: its two paths would need two walks.
                if (code >= 1 && code <= 6 && FindLoopFrom(row, col, award)) found = true;
            }
        if (found) {
            cleared = true;
            RemoveLoops();
        }
    } while (found);
    if (cleared) FrontEnd.RefreshPanelHover();
    return cleared;
}

void RemoveLoops() {
    BeginDrawing();
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const int cell = CellIndex(col, row);
            const uint8_t code = Game.Board[cell];
            if (Game.LoopMarks[cell] == 0 || code >= 7) continue;
            DrawPiece(LitPicture(code, Game.LoopMarks[cell]), col, row, PrimarySlot);
            // A cross goes whole even when only one of its paths was in a loop.
            Game.Board[cell] = kEmptyPipeCell;
            --Game.PieceCount;
        }
    EndDrawing();
    WaitMs(true, 800);
    // One explosion per list entry: a cross shared by two loops explodes twice.
    for (int i = 0; i <= Game.LoopCellLast; ++i) {
        const int col = Game.LoopCellCol[i], row = Game.LoopCellRow[i];
        const int cell = CellIndex(col, row);
        PlayEffect(effect::kExplosion);
        BeginDrawing();
        CopyPicture(ExplosionPicture(Game.LockFlags[cell] == 1), CellX(col), CellY(row), PrimarySlot);
        EndDrawing();
        WaitMs(true, 80);
        BeginDrawing();
        DrawEmptyCell(col, row, PrimarySlot);
        EndDrawing();
        Game.LoopMarks[cell] = 0;
        Game.LockFlags[cell] = 0;
    }
    // Every marked cell is listed, so this changes nothing unless the list was
    // full; a mark left behind would condemn the next piece settling there.
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    BeginDrawing();
    DrawScore(PrimarySlot);
    EndDrawing();
    WaitMs(true, 300);
    PlayEffect(effect::kLoopCleared);
    if (Game.GameMode == 0) {
        SettleTowardsCentre();
    } else if (Game.GameMode == 2) {
        FallDown();
        if (Game.PieceCount == 0) EndEmptiedBoard();
    }
}
