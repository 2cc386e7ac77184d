// The time-driven work of the current screen and the rebuild after a lost display.
#pragma once

void FrameTick();
void RedrawScreen();
