// Mode 1: drawing lines from block to block with the mouse and the keyboard.
#pragma once

#include <cstdint>

// A press of button 0 (left) or 1 (right) on the cell under the pointer.
void ClickBlock(int button);
// A command key or a typed character while playing mode 1.
void LineKey(uint8_t code);
