// The look of the three skins: board cells, pipe pieces, mode-1 blocks,
// explosions and the pointer. Every skin keeps the same geometry: a pipe
// leaves a cell at the middle of its edge with the same cross-section.
#pragma once

#include "canvas.h"
#include "paint.h"

enum class Texture { Slate, Glass, Sand };

struct TubeColors {
    Color outline, dark, mid, light;
};

struct SkinStyle {
    const char* name;
    Texture texture;
    Color cellTop, cellBottom, groutLight, groutDark;
    TubeColors tube, lit, lockedTube;
    Color collar, glow;
    Color plateTop, plateBottom, plateEdge, bolt;
    Color block, blockLight, ring;
    Color wall, wallDark;
    Color pointer, pointerEdge, keyFrame;
    Color burst;
};

constexpr int kSkinCount = 3;
constexpr int kCell = 35;
const SkinStyle& SkinStyleOf(int skin);

// Pipe kinds as the board numbers them: 0 cross, 1 vertical, 2 horizontal,
// 3 N-E, 4 E-S, 5 S-W, 6 N-W.
enum Side { kNorth = 1, kEast = 2, kSouth = 4, kWest = 8 };
int OpeningsOf(int kind);

void PaintCellBackground(Canvas& c, int ox, int oy, const SkinStyle& s, bool locked);
// litMain lights the whole piece (the vertical path of a cross); litCross the
// horizontal path of a cross.
void PaintPipe(Canvas& c, int ox, int oy, const SkinStyle& s, int kind, bool litMain, bool litCross, bool locked);
// Mode-1 block with link stubs toward the sides in the mask.
void PaintBlock(Canvas& c, int ox, int oy, const SkinStyle& s, int sides, bool lineEnd);
void PaintExplosion(Canvas& c, int ox, int oy, const SkinStyle& s, bool locked);
void DrawPointer(cairo_t* cr, const SkinStyle& s);
void DrawKeyFrame(cairo_t* cr, const SkinStyle& s);
