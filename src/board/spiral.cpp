// One step along the centre spiral, outward or inward, by quadrant.
#include "board/spiral.h"

void NextSpawnCell(CellPos& c) {
    if (c.col <= 5 && c.row <= 5) {
        if (c.col > c.row) --c.col; else ++c.row;
    } else if (c.col <= 5) {
        if (11 - c.row > c.col) ++c.row; else ++c.col;
    } else if (c.row <= 5) {
        if (10 - c.col < c.row) --c.row; else --c.col;
    } else {
        if (c.col < c.row) ++c.col; else --c.row;
    }
}

void NextSettleCell(CellPos& c) {
    if (c.col <= 5 && c.row <= 5) {
        if (c.col >= c.row) ++c.col; else --c.row;
    } else if (c.col <= 5) {
        if (11 - c.row >= c.col) --c.row; else --c.col;
    } else if (c.row <= 5) {
        if (10 - c.row <= c.col) ++c.row; else ++c.col;
    } else {
        if (c.col <= c.row) --c.col; else ++c.row;
    }
}
