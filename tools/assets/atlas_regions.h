// The game's picture atlas, looked up by name while the generator runs.
#pragma once

#include <span>

#include "graphics/atlas.h"

std::span<const AtlasRegion> AtlasRegions();
// The region of that name; the program stops on an unknown name.
const AtlasRegion& Region(const char* name);
