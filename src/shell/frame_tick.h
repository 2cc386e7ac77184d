// The time-driven work of the current screen and the rebuild after a lost display.
#pragma once

#include <cstdint>

struct FrameTickState {
    int32_t ScoresAnimFrame = 0;
    int32_t FarewellAnimFrame = 0;
    uint8_t FarewellAnimPhase = 0;
};
extern FrameTickState Ticks;

void FrameTick();
void RedrawScreen();
