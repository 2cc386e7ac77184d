// Where the title animation puts its pieces: the lettering "Torvanex" built
// from small pictures of the background image, between two pipe couplings.
// Every stroke is 3 pixels of gold lit from the left (bars from above),
// diagonals included, and every piece is ink all over, so no piece ever eats
// into one placed before it.
// The letters fill rows 45..61 and nothing reaches row 65: on the game screen
// the top bar covers rows 0..64 and only the plate's solid base shows below it.
// The two keyed title pictures are the strokes of the X.
#pragma once

#include <cstdint>
#include <span>

struct TitlePlace {
    uint8_t x;
    uint8_t y;
};

// Group 1: 3 x 5 beads, each two rows below the last: the legs of R, V, A, N.
inline constexpr TitlePlace kTitleBeads[38] = {
    {114, 53}, {116, 55}, {118, 57},  // R
    {127, 45}, {128, 47}, {129, 49}, {130, 51}, {131, 53}, {132, 55}, {133, 57},  // V
    {141, 45}, {140, 47}, {139, 49}, {138, 51}, {137, 53}, {136, 55}, {135, 57},
    {152, 45}, {151, 47}, {150, 49}, {149, 51}, {148, 53}, {147, 55}, {146, 57},  // A
    {154, 45}, {155, 47}, {156, 49}, {157, 51}, {158, 53}, {159, 55}, {160, 57},
    {171, 45}, {172, 47}, {173, 49}, {174, 51}, {175, 53}, {176, 55}, {177, 57},  // N
};
// Group 2: 10 x 3 bars (the couplings' pipe, T, O, R, A's crossbar, E).
inline constexpr TitlePlace kTitleBars[12] = {
    {47, 52}, {66, 45}, {71, 45}, {89, 45}, {89, 59}, {108, 45},
    {108, 52}, {150, 55}, {190, 45}, {190, 52}, {190, 59}, {230, 52},
};
// Group 3: 3 x 17 stems (T, O, R, N, E).
inline constexpr TitlePlace kTitleStems[7] = {
    {72, 45}, {87, 45}, {98, 45}, {107, 45}, {169, 45}, {180, 45}, {189, 45},
};
// Group 4: 3 x 10 posts (R's bowl, the collars of the two couplings).
inline constexpr TitlePlace kTitlePosts[5] = {
    {118, 45}, {49, 49}, {52, 49}, {232, 49}, {235, 49},
};
// Group 5: 3 x 3 caps on the pipe ends of the two couplings.
inline constexpr TitlePlace kTitleCaps[4] = {
    {44, 52}, {57, 52}, {227, 52}, {240, 52},
};

// One group: its piece in the work surface (inclusive corners) and its places.
struct TitleGroup {
    int left, top, right, bottom;
    std::span<const TitlePlace> places;
};

inline constexpr TitleGroup kTitleGroups[5] = {
    {445, 187, 447, 191, kTitleBeads},
    {428, 197, 437, 199, kTitleBars},
    {428, 200, 430, 216, kTitleStems},
    {428, 200, 430, 209, kTitlePosts},
    {428, 200, 430, 202, kTitleCaps},
};
