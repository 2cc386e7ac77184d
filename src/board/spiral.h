// The centre spiral: the order in which the spawner fills the board outward
// from (5, 5) and the settle walks it inward from (11, 0).
#pragma once

#include "board/board_state.h"

void NextSpawnCell(CellPos& cell);
void NextSettleCell(CellPos& cell);
