// Lookups by name in the game's own atlas, for the generator and its tests.
#include "atlas_regions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

std::span<const AtlasRegion> AtlasRegions() { return kAtlas; }

const AtlasRegion& Region(const char* name) {
    for (const AtlasRegion& r : kAtlas)
        if (std::strcmp(r.name, name) == 0) return r;
    // A misspelt name is a fault of the generator itself: stop at once.
    std::fprintf(stderr, "atlas: no region named %s\n", name);
    std::abort();
}
