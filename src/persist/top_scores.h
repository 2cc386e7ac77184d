// The top-score tables: five entries for every game mode and level.
#pragma once

#include <cstdint>

// True when `score` beats at least one entry of the table of the current mode and level.
bool Qualifies(int32_t score);
