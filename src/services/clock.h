// The game's clock: the high-resolution counter every pause and tick is timed by.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The counter now, in units of 1 / platform::CounterFrequency() second.
inline int64_t ReadCounter() { return platform::ReadCounter(); }
