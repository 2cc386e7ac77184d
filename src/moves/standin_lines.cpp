// Stand-in until mode 1's lines are built: presses and keys on a mode-1 board
// do nothing.
#include "moves/lines.h"

void ClickBlock(int) {}
void LineKey(uint8_t) {}
