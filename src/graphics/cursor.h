// The software cursor: a picture the game copies onto the screen itself, with
// the pixels it covers saved beside it in the work surface.
#pragma once

#include <cstdint>

struct CursorState {
    int16_t CursorX = 400;
    int16_t CursorY = 300;
    int16_t CursorHotX = 0;
    int16_t CursorHotY = 0;
    int16_t CursorWidth = 18;
    int16_t CursorHeight = 25;
    int32_t CursorScreenSlot = 1;
    int32_t CursorStoreSlot = 2;
    int16_t CursorSpriteTop = 541;
    int16_t SaveUnderX = 18;
    int16_t SaveUnderY = 541;
    int32_t CursorFrame = 0;
    int32_t CursorFrameCount = 1;
    int32_t CursorFramesPerRow = 1;
    int32_t CursorFrameStep = 1;
    uint8_t CursorDrawn = 0;
    uint8_t CursorBusy = 1;
    uint8_t CursorTracking = 0;
    // The picture as last drawn, clipped to the screen.
    int16_t DrawnLeft = 0;
    int16_t DrawnTop = 0;
    int16_t DrawnWidth = 0;
    int16_t DrawnHeight = 0;
};
extern CursorState Cursor;
void ResetCursorState();

void DrawCursor();
void EraseCursor();
// Next picture of the cursor strip, as each mouse move advances it.
void AdvanceCursorFrame();
// x <= CursorX < x + w and y <= CursorY < y + h.
bool PointerIn(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
