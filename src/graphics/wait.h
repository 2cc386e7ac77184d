// The blocking wait every animation and pause of the game uses.
#pragma once

#include <cstdint>

// Blocks for `ms` while the software cursor keeps following the mouse. Mouse
// moves (and, with discardClicks, left presses) are taken off the queue and
// never dispatched; everything else stays queued.
void WaitMs(bool discardClicks, int64_t ms);
