// The picture atlas: every rectangle of every picture file the game copies from.
#pragma once

#include <span>

enum class PictureFile { Back, Skin, Zast, Rec, Screen };

enum class RegionUse {
    Opaque,        // copied without key: no pure black where it shows
    Keyed,         // black is a hole
    CopyOpen,      // the game may copy it either way: no pure black at all
    RuntimeBlack,  // overwritten while the game runs: left black
    NeverDrawn,    // an addressable slot the game never shows
    Reference,     // read, never shown (the colour samples)
    Area,          // a place on a full-screen picture or on the screen
};

struct AtlasRegion {
    PictureFile file;
    int x, y, w, h;
    const char* name;
    RegionUse use;
};

std::span<const AtlasRegion> AtlasRegions();
// The region of that name; the program stops on an unknown name.
const AtlasRegion& Region(const char* name);
