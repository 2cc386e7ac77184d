// Everything the board engine shows: cells, the board, and the small panels
// (score, speed, level, mode title, block gauge, give-up button, piece counters).
// All pictures come from the WorkSlot.
#pragma once

#include <cstdint>

#include "graphics/atlas.h"

// The drawing bracket: wait for the vertical blank and take the cursor off;
// put the cursor back.
void BeginDrawing();
void EndDrawing();

// Lit pictures of a cross lit on one path only.
constexpr int kCrossLitVertical = 14;
constexpr int kCrossLitHorizontal = 15;
constexpr int kLitOffset = 7;

// Cells. No cursor handling: callers bracket them.
void DrawPiece(int picture, int col, int row, int slot);
void DrawEmptyCell(int col, int row, int slot);
void DrawCell(int col, int row, int slot);   // mode 1
void DrawAllCells(int slot);                 // mode 1
void DrawBoard(int slot);
void ShowBlocks();

// Panels. These take the cursor off and put it back when it was drawn on
// entry (DrawScore only puts it back).
void DrawScore(int slot);
void DrawSpeed(int slot);
void DrawLevelGlyph(int slot);
void DrawModeTitle(int slot);
void ClearCounterStrip();
void DrawPieceCounters();
// These two leave the cursor to their callers.
void DrawBlockGauge(int slot);
void DrawGiveUpButton(bool shown, int slot);

// The game-over picture over the middle of the board.
void DrawGameOverPicture(int slot);
// The current skin's explosion, for a normal or a locked piece.
const Picture& ExplosionPicture(bool locked);
