// Screens put together from the pictures the way the game copies them, for
// the contact sheet (and for looking at the art as a player sees it).
#pragma once

#include "pictures.h"

// The work surface: the background image with a skin from row 541.
Canvas WorkSurface(const PictureSet& set, int skin);
// Opaque and keyed copies with the game's inclusive-free (x, y, w, h) form.
void BlitOpaque(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
void BlitKeyed(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
void DrawTitle(Canvas& screen, const Canvas& work);
Canvas StartScreen(const PictureSet& set);
// A mode-2 game in progress (pieces, lit loop, locked pieces, counters).
Canvas GameScreen(const PictureSet& set, int skin);
// A mode-1 game: blocks, a line in progress, walls, the keyboard frame, the gauge.
Canvas LinesScreen(const PictureSet& set, int skin);
