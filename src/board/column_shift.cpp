// The column shift of mode 2 and the loops it closes.
#include "board/column_shift.h"

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/loops.h"
#include "graphics/surfaces.h"
#include "sound/effects.h"

namespace {

constexpr int kNoGap = -1;

bool PiecesInColumns(int first, int last) {
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = first; col <= last; ++col)
            if (HoldsPiece(col, row)) return true;
    return false;
}

bool ColumnsMeet(int a, int b) {
    for (int row = 0; row < kBoardSize; ++row)
        if (HoldsPiece(a, row) && HoldsPiece(b, row)) return true;
    return false;
}

int FindGap(bool rightward) {
    if (rightward) {
        for (int col = 0; col < kBoardSize; ++col)
            if (ColumnEmpty(col) && PiecesLeftOf(col)) return col;
    } else {
        for (int col = kBoardSize - 1; col >= 0; --col)
            if (ColumnEmpty(col) && PiecesRightOf(col)) return col;
    }
    return kNoGap;
}

}  // namespace

bool ColumnEmpty(int col) {
    for (int row = 0; row < kBoardSize; ++row)
        if (HoldsPiece(col, row)) return false;
    return true;
}

bool PiecesLeftOf(int col) { return PiecesInColumns(0, col - 1); }
bool PiecesRightOf(int col) { return PiecesInColumns(col + 1, kBoardSize - 1); }

void ShiftColumns(int key) {
    const bool rightward = key == kRightArrowKey;
    const int gap = FindGap(rightward);
    if (gap == kNoGap) return;
    for (int row = 0; row < kBoardSize; ++row) {
        if (rightward)
            for (int k = gap; k >= 1; --k) MovePiece(k - 1, row, k, row);
        else
            for (int k = gap; k <= kBoardSize - 2; ++k) MovePiece(k + 1, row, k, row);
    }
    const int neighbour = rightward ? gap + 1 : gap - 1;
    if (neighbour >= 0 && neighbour < kBoardSize && ColumnsMeet(gap, neighbour)) PlayEffect(effect::kKnock);
    BeginDrawing();
    DrawBoard(PrimarySlot);
    EndDrawing();
    while (ClearLoops(true)) {
    }
}
