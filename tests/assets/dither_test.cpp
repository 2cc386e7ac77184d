// The generator's ordered dither, on every colour it can meet.
#include <gtest/gtest.h>

#include <cmath>

#include "dither.h"

namespace {

uint16_t As565(Rgb c) { return static_cast<uint16_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)); }

}  // namespace

TEST(Dither, NeverMakesTheKeyColourAndSettlesAtOnce) {
    for (int r = 0; r < 48; ++r)
        for (int g = 0; g < 48; ++g)
            for (int b = 0; b < 48; ++b)
                for (int phase = 0; phase < 16; ++phase) {
                    const Rgb once = DitherTo565({uint8_t(r), uint8_t(g), uint8_t(b)}, phase % 4, phase / 4);
                    ASSERT_NE(As565(once), 0) << r << "," << g << "," << b << " at phase " << phase;
                    // A copy of a dithered picture dithered again at another place stays the same.
                    ASSERT_EQ(DitherTo565(once, phase / 4 + 1, phase % 4 + 2), once) << r << "," << g << "," << b;
                }
}

// Over any 4 x 4 block of screen the 16-bit levels average the true colour,
// which is what turns rings into a smooth glow.
TEST(Dither, AveragesTheTrueColourOverEveryBlock) {
    for (int v = 8; v < 248; ++v)
        for (const int x0 : {0, 2, 5}) {
            double red = 0, green = 0;
            for (int y = 0; y < 4; ++y)
                for (int x = x0; x < x0 + 4; ++x) {
                    const Rgb c = DitherTo565({uint8_t(v), uint8_t(v), 128}, x, y + 7);
                    red += (c.r >> 3) / 16.0;
                    green += (c.g >> 2) / 16.0;
                }
            EXPECT_NEAR(red, v / 8.0, 1.0 / 16) << v;
            EXPECT_NEAR(green, v / 4.0, 1.0 / 16) << v;
        }
}
