// Turning pieces, lighting the pipe a turn joined, and mode 2's sideways drag.
#include "moves/rotation.h"

#include <cstring>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/loops.h"
#include "board/pieces.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/wait.h"
#include "moves/lines.h"
#include "moves/moves_state.h"
#include "sound/effects.h"

namespace {

constexpr int64_t kTraceMs = 150;
constexpr int64_t kSlideStepMs = 100;
constexpr int64_t kDropStepMs = 50;
constexpr int kNotGrabbed = -1;

bool FindCellUnderPointer(int& col, int& row) {
    for (row = 0; row < kBoardSize; ++row)
        for (col = 0; col < kBoardSize; ++col)
            if (PointerIn(static_cast<uint16_t>(CellX(col)), static_cast<uint16_t>(CellY(row)), kCellSize, kCellSize))
                return true;
    return false;
}

void ClearLoopsUntilNone(bool& cleared) {
    while (ClearLoops(true)) cleared = true;
}

// Follows the pipe out of (col, row) toward `side`, adding to `marks` for every
// cell entered; a cross entered north or south counts twice, so its mark tells
// which of its paths were lit. False when no cell was entered.
bool WalkFrom(int col, int row, int side, uint8_t* marks) {
    int direction = side;
    bool entered = false;
    // A walk cannot come back to its start (the loop test ran first); the
    // bound only guards against a board that breaks that promise.
    for (int steps = 0; steps < 4 * kCells; ++steps) {
        col += kStepCol[direction];
        row += kStepRow[direction];
        if (!OnBoard(col, row)) break;
        const uint8_t kind = Game.Board[CellIndex(col, row)];
        if (kind >= kEmptyPipeCell || !Admits(direction, kind)) break;
        direction = Turn(kind, direction);
        const int cell = CellIndex(col, row);
        marks[cell] = static_cast<uint8_t>(marks[cell] + (kind == 0 && (direction == North || direction == South) ? 2 : 1));
        entered = true;
    }
    return entered;
}

// Moves the piece at (fromCol, fromRow) one cell and draws both cells.
void StepPiece(int fromCol, int fromRow, int toCol, int toRow) {
    MovePiece(fromCol, fromRow, toCol, toRow);
    BeginDrawing();
    DrawEmptyCell(fromCol, fromRow, PrimarySlot);
    DrawPiece(Game.Board[CellIndex(toCol, toRow)], toCol, toRow, PrimarySlot);
    EndDrawing();
}

}  // namespace

void BoardPress(int button) {
    if (Game.GameMode == 1)
        ClickBlock(button);
    else
        RotateCell(button);
}

void RotateCell(int button) {
    int col, row;
    if (!FindCellUnderPointer(col, row)) return;
    const int cell = CellIndex(col, row);
    const uint8_t code = Game.Board[cell];
    if (code < 1 || code > 6) return;
    if (Game.Level != 0 && Game.LockFlags[cell]) {
        PlayEffect(effect::kRefused);
        return;
    }
    Game.Board[cell] = Rotated(code, button);
    BeginDrawing();
    DrawPiece(Game.Board[cell], col, row, PrimarySlot);
    EndDrawing();
    PlayEffect(effect::kTurnOrStep);
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    Game.LoopCellLast = -1;
    bool cleared = false;
    if (FindLoopFrom(row, col, false)) ClearLoopsUntilNone(cleared);
    if (cleared) {
        Moves.GrabCell.col = kNotGrabbed;
        return;
    }
    TraceConnection(row, col);
}

bool TraceMarks(int row, int col, uint8_t* marks) {
    const uint8_t start = Game.Board[CellIndex(col, row)];
    if (start >= kEmptyPipeCell) return false;
    marks[CellIndex(col, row)] = 1;
    bool entered = false;
    for (int side = 0; side < 4; ++side)
        if (OpensToward(start, side) && WalkFrom(col, row, side, marks)) entered = true;
    return entered;
}

void TraceConnection(int row, int col) {
    uint8_t marks[kCells] = {};
    if (!TraceMarks(row, col, marks)) return;
    BeginDrawing();
    for (int i = 0; i < kCells; ++i) {
        if (marks[i] == 0) continue;
        const uint8_t code = Game.Board[i];
        int picture = code + kLitOffset;
        if (code == 0 && marks[i] != 3) picture = marks[i] == 1 ? kCrossLitHorizontal : kCrossLitVertical;
        DrawPiece(picture, i % kBoardSize, i / kBoardSize, PrimarySlot);
    }
    EndDrawing();
    WaitMs(false, kTraceMs);
    // Only the lit cells changed, so only they are put back.
    BeginDrawing();
    for (int i = 0; i < kCells; ++i)
        if (marks[i] > 0 && Game.Board[i] < 7) DrawPiece(Game.Board[i], i % kBoardSize, i / kBoardSize, PrimarySlot);
    EndDrawing();
}

void SlideGrabbed() {
    const CellPos grab = Moves.GrabCell;
    if (grab.col == kNotGrabbed || !OnBoard(grab.col, grab.row) || !HoldsPiece(grab.col, grab.row)) return;
    const int target = (Cursor.CursorX - kBoardLeft) / kCellSize;
    const int step = target >= grab.col ? 1 : -1;
    int x = grab.col, y = grab.row;
    while (x != target) {
        const int ox = x, oy = y;
        x += step;
        if (!OnBoard(x, y) || HoldsPiece(x, y)) break;
        StepPiece(ox, y, x, y);
        if (HoldsPiece(x + step, y)) PlayEffect(effect::kKnock);
        WaitMs(true, kSlideStepMs);
        bool dropped = false;
        while (y < kBoardSize - 1 && !HoldsPiece(x, y + 1)) {
            StepPiece(x, y, x, y + 1);
            ++y;
            dropped = true;
            WaitMs(true, kDropStepMs);
        }
        if (dropped) PlayEffect(effect::kKnock);
        // The column the piece left closes up at once.
        if (oy > 0 && HoldsPiece(ox, oy - 1)) {
            for (int r = oy; r >= 1; --r) MovePiece(ox, r - 1, ox, r);
            WaitMs(true, kSlideStepMs);
            PlayEffect(effect::kKnock);
            BeginDrawing();
            DrawBoard(PrimarySlot);
            EndDrawing();
        }
    }
    bool cleared = false;
    ClearLoopsUntilNone(cleared);
}
