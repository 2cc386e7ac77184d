// Where the title animation puts its pieces: the lettering "Torvanex" built
// from small pictures of the background image, within x 41..246, y 45..67.
// The letters stay above row 68 so that on the game screen, where the top bar
// covers rows 0..64, only the feet of the strokes peek out below the bar.
// The two keyed title pictures complete the N and the X.
#pragma once

#include <cstdint>
#include <span>

struct TitlePlace {
    uint8_t x;
    uint8_t y;
};

// Group 1: 5 x 5 beads (the diagonals of R, V, A, N and the X).
inline constexpr TitlePlace kTitleBeads[38] = {
    {98, 53}, {94, 57}, {96, 59}, {98, 61}, {100, 63}, {109, 50}, {111, 53}, {113, 55},
    {114, 58}, {116, 60}, {118, 63}, {127, 50}, {125, 53}, {123, 55}, {122, 58}, {120, 60},
    {145, 45}, {143, 48}, {141, 50}, {140, 53}, {138, 56}, {136, 58}, {147, 48}, {149, 50},
    {150, 53}, {152, 56}, {154, 58}, {170, 45}, {184, 63}, {222, 45}, {242, 45}, {222, 63},
    {242, 63}, {227, 50}, {237, 50}, {227, 59}, {237, 59}, {232, 54},
};
// Group 2: 10 x 3 bars (arms of T, O, R, A, E).
inline constexpr TitlePlace kTitleBars[12] = {
    {41, 45}, {51, 45}, {68, 45}, {70, 45}, {68, 65}, {70, 65}, {90, 45}, {90, 55},
    {142, 58}, {199, 45}, {199, 55}, {199, 65},
};
// Group 3: 3 x 23 stems (T, O, R, N, E).
inline constexpr TitlePlace kTitleStems[7] = {
    {49, 45}, {65, 45}, {80, 45}, {87, 45}, {167, 45}, {189, 45}, {196, 45},
};
// Group 4: 3 x 10 posts (R's bowl, the arms of V, the legs of A).
inline constexpr TitlePlace kTitlePosts[5] = {
    {100, 45}, {109, 45}, {129, 45}, {136, 58}, {156, 58},
};
// Group 5: 3 x 8 serifs (T and E).
inline constexpr TitlePlace kTitleSerifs[4] = {
    {41, 45}, {58, 45}, {206, 45}, {206, 60},
};

// One group: its piece in the work surface (inclusive corners) and its places.
struct TitleGroup {
    int left, top, right, bottom;
    std::span<const TitlePlace> places;
};

inline constexpr TitleGroup kTitleGroups[5] = {
    {445, 187, 449, 191, kTitleBeads},
    {428, 197, 437, 199, kTitleBars},
    {428, 200, 430, 222, kTitleStems},
    {428, 200, 430, 209, kTitlePosts},
    {428, 200, 430, 207, kTitleSerifs},
};
