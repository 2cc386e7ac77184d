// Pictures on screen, checked against the WorkSlot rectangles they come from.
// With the WorkSlot painted in its pattern (no pixel 0, nearby pixels all
// differ) a keyed copy lands whole like an opaque one, and a copy taken from
// or put in the wrong place shows.
#pragma once

#include <string_view>
#include <vector>

#include "graphics/atlas.h"
#include "graphics/surfaces.h"

uint16_t PixelOf(int slot, int x, int y);
std::vector<uint16_t> ScreenPixels();
// The screen as it shows without the pointer.
std::vector<uint16_t> ShownPixels();
void PaintWorkPattern();
// The picture of that atlas name, for names made at run time ("pipe_" + kind).
Picture Named(std::string_view name);
// The w x h part of a picture from (dx, dy) within it, placed as far in on screen.
Picture PartOf(const Picture& picture, int dx, int dy, int w, int h);
// `slot` holds exactly the picture's pixels with its top-left at (x, y); where
// the picture is keyed, its black pixels are holes that may show anything.
bool ShowsPicture(const Picture& picture, int x, int y, int slot = PrimarySlot, bool keyed = false);
inline bool ShowsAtItsPlace(const Picture& p, int slot = PrimarySlot, bool keyed = false) {
    return ShowsPicture(p, p.destX, p.destY, slot, keyed);
}
// The leftmost x in fromX..toX where the picture shows on row y; -1 when nowhere.
int FindPicture(const Picture& picture, int fromX, int toX, int y, int slot = PrimarySlot);
