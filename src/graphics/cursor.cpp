// The software cursor and the pointer hit test.
#include "graphics/cursor.h"

#include "graphics/surfaces.h"

CursorState Cursor;

void ResetCursorState() { Cursor = CursorState{}; }

void DrawCursor() {
    if (Cursor.CursorDrawn || Cursor.CursorBusy) return;
    Cursor.CursorBusy = 1;
    int left = Cursor.CursorX - Cursor.CursorHotX;
    int top = Cursor.CursorY - Cursor.CursorHotY;
    int w = Cursor.CursorWidth;
    int h = Cursor.CursorHeight;
    int dx = 0, dy = 0;
    const int right = left + Cursor.CursorWidth;
    const int bottom = top + Cursor.CursorHeight;
    if (left < 0) {
        w += left;
        dx = -left;
        left = 0;
    }
    if (top < 0) {
        h += top;
        dy = -top;
        top = 0;
    }
    if (right > 800) w -= right - 800;
    if (bottom > 600) h -= bottom - 600;
    Cursor.DrawnLeft = static_cast<int16_t>(left);
    Cursor.DrawnTop = static_cast<int16_t>(top);
    Cursor.DrawnWidth = static_cast<int16_t>(w);
    Cursor.DrawnHeight = static_cast<int16_t>(h);
    if (w > 0 && h > 0) {
        const int sx = (Cursor.CursorFrame % Cursor.CursorFramesPerRow) * Cursor.CursorWidth + dx;
        const int sy = (Cursor.CursorFrame / Cursor.CursorFramesPerRow) * Cursor.CursorHeight +
                       Cursor.CursorSpriteTop + dy;
        BlitOpaque(left, top, left + w - 1, top + h - 1, Cursor.SaveUnderX, Cursor.SaveUnderY,
                   Cursor.CursorScreenSlot, Cursor.CursorStoreSlot);
        BlitKeyed(sx, sy, sx + w - 1, sy + h - 1, left, top, Cursor.CursorStoreSlot, Cursor.CursorScreenSlot);
    }
    Cursor.CursorBusy = 0;
    Cursor.CursorDrawn = 1;
}

void EraseCursor() {
    if (Cursor.CursorBusy || !Cursor.CursorDrawn) return;
    if (Cursor.DrawnWidth > 0 && Cursor.DrawnHeight > 0)
        BlitOpaque(Cursor.SaveUnderX, Cursor.SaveUnderY, Cursor.SaveUnderX + Cursor.DrawnWidth - 1,
                   Cursor.SaveUnderY + Cursor.DrawnHeight - 1, Cursor.DrawnLeft, Cursor.DrawnTop,
                   Cursor.CursorStoreSlot, Cursor.CursorScreenSlot);
    Cursor.CursorDrawn = 0;
}

void AdvanceCursorFrame() {
    Cursor.CursorFrame = (Cursor.CursorFrame + Cursor.CursorFrameStep) % Cursor.CursorFrameCount;
    Cursor.CursorFrameStep ^= 1;
}

bool PointerIn(uint16_t x, uint16_t y, uint16_t w, uint16_t h) {
    const int cx = Cursor.CursorX, cy = Cursor.CursorY;
    return x <= cx && cx < x + w && y <= cy && cy < y + h;
}
