// Ordered dithering to the game's 16-bit colours. The game keeps the top 5, 6
// and 5 bits of each channel, so a soft gradient shows as rings; raising a
// pixel one step by a 4 x 4 threshold pattern makes each block average the
// full colour. The pattern follows screen coordinates, so a picture dithered
// at its place on screen matches the full-screen picture it was copied from.
#pragma once

#include <algorithm>

#include "rgb.h"

inline Rgb DitherTo565(Rgb c, int screenX, int screenY) {
    static constexpr int kThreshold[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int t = kThreshold[screenY & 3][screenX & 3];
    // Only ever up, and a colour already on the 16-bit grid stays put, so
    // dithering twice changes nothing.
    auto level = [t](int v, int bits) {
        const int drop = 8 - bits, top = (1 << bits) - 1;
        const int fraction = (v & ((1 << drop) - 1)) * 16 >> drop;
        return static_cast<uint8_t>(std::min(top, (v >> drop) + (fraction > t ? 1 : 0)) << drop);
    };
    Rgb out{level(c.r, 5), level(c.g, 6), level(c.b, 5)};
    // Never the key colour: the darkest visible pixel is the one the writer lifts to.
    if (out.r < 8 && out.g < 8 && out.b < 8) out = {8, 8, 8};
    return out;
}
