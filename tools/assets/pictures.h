// The six picture files, built in memory in the order their cross-file
// identities need: the start picture and the score picture first, then the
// background that copies pieces of them, then the skins.
#pragma once

#include <array>
#include <memory>

#include "atlas_regions.h"
#include "canvas.h"
#include "paint.h"

struct PictureSet {
    Canvas zast{800, 600};
    Canvas rec{800, 600};
    Canvas back{800, 541};
    std::array<std::unique_ptr<Canvas>, 3> skins;
};

std::unique_ptr<PictureSet> BuildPictures();

void PaintZast(Canvas& zast);
void PaintRec(Canvas& rec);
void PaintBack(Canvas& back, const Canvas& zast, const Canvas& rec);
void PaintSkin(Canvas& skin, int index, const Canvas& back, const Canvas& zast);

// The colour table of the game, sampled from the background image.
Rgb ColourEntry(int index);

// The plain fill of the title area, which the title pieces carry as their
// background, so that a keyed and an opaque copy of them look the same.
inline constexpr Rgb kTitlePlaque{24, 36, 64};  // on the 16-bit grid: dithering leaves it plain

// Copies a region of one picture to the place of another region (same size).
void CopyRegion(Canvas& dst, const char* dstName, const Canvas& src, int sx, int sy);
inline Rgb ToRgb(Color c) {
    auto channel = [](double v) { return static_cast<uint8_t>(v <= 0 ? 0 : v >= 1 ? 255 : v * 255 + 0.5); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}
inline Color FromRgb(Rgb c) { return {c.r / 255.0, c.g / 255.0, c.b / 255.0, 1}; }

// The right column's backdrop alone, at its place in the background image.
void PaintColumnBackdrop(Canvas& back);
// A mode title drawn over whatever lies at (x, y): the column backdrop,
// copied there first.
void PaintModeTitle(Canvas& c, int x, int y, const char* text, bool highlighted);
