#include <gtest/gtest.h>

#include "board/pieces.h"
#include "board/spiral.h"

TEST(Rotation, StraightsSwapAndCornersCycle) {
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(Rotated(1, r), 2);
        EXPECT_EQ(Rotated(2, r), 1);
        EXPECT_EQ(Rotated(Rotated(1, r), r), 1);
    }
    EXPECT_EQ(Rotated(3, 0), 6);  // left press on the north-east corner
    EXPECT_EQ(Rotated(3, 1), 4);  // right press
    for (uint8_t k = 3; k <= 6; ++k) {
        uint8_t turned = k;
        for (int i = 0; i < 4; ++i) turned = Rotated(turned, 1);
        EXPECT_EQ(turned, k);
        EXPECT_EQ(Rotated(Rotated(k, 1), 0), k) << "counter-clockwise undoes clockwise";
    }
}

// A rotated piece opens where the original opened, turned by a quarter.
TEST(Rotation, ClockwiseTurnsEveryOpening) {
    for (uint8_t k = 1; k <= 6; ++k)
        for (int side = 0; side < 4; ++side)
            EXPECT_EQ(OpensToward(k, side), OpensToward(Rotated(k, 1), (side + 1) % 4)) << int(k) << " " << side;
}

TEST(Walk, EntryMatchesOpeningsAndTurnLeavesByTheOtherSide) {
    const uint8_t admitting[4][4] = {{0, 2, 3, 4}, {0, 1, 4, 5}, {0, 2, 5, 6}, {0, 1, 3, 6}};
    for (int d = 0; d < 4; ++d)
        for (uint8_t k = 0; k <= 100; ++k) {
            bool listed = false;
            for (uint8_t a : admitting[d]) listed |= a == k;
            EXPECT_EQ(Admits(d, k), listed) << "moving " << d << " into " << int(k);
        }
    for (uint8_t k = 1; k <= 6; ++k)
        for (int d = 0; d < 4; ++d) {
            if (!Admits(d, k)) continue;
            const int out = Turn(k, d);
            EXPECT_TRUE(OpensToward(k, out));
            EXPECT_NE(out, (d + 2) % 4) << "never leaves by the side it came in";
        }
    EXPECT_FALSE(Admits(East, 1));
    EXPECT_EQ(Turn(0, East), East);
    EXPECT_EQ(Turn(0, South), South);
}

TEST(Walk, FirstDirectionLeavesThroughAnOpening) {
    for (uint8_t k = 0; k <= 6; ++k) EXPECT_TRUE(OpensToward(k, FirstDirection(k)));
    EXPECT_EQ(FirstDirection(4), East);
    EXPECT_EQ(FirstDirection(3), North);
    EXPECT_EQ(FirstDirection(5), West);
}

TEST(EdgeTables, NoKindOpensOutward) {
    const int outward[4] = {West, East, North, South};
    for (int edge = 0; edge < 4; ++edge)
        for (uint32_t i = 0; i < 3; ++i) EXPECT_FALSE(OpensToward(EdgeKind(edge, i), outward[edge]));
}

namespace {
// The spiral as the position of each cell, row by row.
constexpr int kSpiral[12][12] = {
    {110, 109, 108, 107, 106, 105, 104, 103, 102, 101, 100, 143},
    {111, 72, 71, 70, 69, 68, 67, 66, 65, 64, 99, 142},
    {112, 73, 42, 41, 40, 39, 38, 37, 36, 63, 98, 141},
    {113, 74, 43, 20, 19, 18, 17, 16, 35, 62, 97, 140},
    {114, 75, 44, 21, 6, 5, 4, 15, 34, 61, 96, 139},
    {115, 76, 45, 22, 7, 0, 3, 14, 33, 60, 95, 138},
    {116, 77, 46, 23, 8, 1, 2, 13, 32, 59, 94, 137},
    {117, 78, 47, 24, 9, 10, 11, 12, 31, 58, 93, 136},
    {118, 79, 48, 25, 26, 27, 28, 29, 30, 57, 92, 135},
    {119, 80, 49, 50, 51, 52, 53, 54, 55, 56, 91, 134},
    {120, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 133},
    {121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132},
};
}  // namespace

TEST(Spiral, StepsVisitEveryCellInTableOrder) {
    CellPos out{5, 5};
    CellPos in{11, 0};
    for (int i = 0; i < 143; ++i) {
        EXPECT_EQ(kSpiral[out.row][out.col], i);
        EXPECT_EQ(kSpiral[in.row][in.col], 143 - i);
        NextSpawnCell(out);
        NextSettleCell(in);
    }
    EXPECT_EQ(out, (CellPos{11, 0}));
    EXPECT_EQ(in, (CellPos{5, 5}));
}
