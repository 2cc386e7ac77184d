// Connectivity of the seven pipe kinds. Every walk, the spawner, the set-up
// and the rotation move work from these tables alone.
#include "board/pieces.h"

namespace {

// Bit d set: the kind is open toward side d (west, north, east, south).
constexpr uint8_t kOpenSides[7] = {
    0b1111,  // 0 cross
    0b1010,  // 1 vertical: north, south
    0b0101,  // 2 horizontal: west, east
    0b0110,  // 3 corner north, east
    0b1100,  // 4 corner east, south
    0b1001,  // 5 corner south, west
    0b0011,  // 6 corner north, west
};

constexpr uint8_t kRotation[2][7] = {
    {0, 2, 1, 6, 3, 4, 5},  // counter-clockwise
    {0, 2, 1, 4, 5, 6, 3},  // clockwise
};

constexpr uint8_t kEdgeKinds[4][3] = {
    {1, 3, 4},  // west edge
    {1, 5, 6},  // east edge
    {2, 4, 5},  // north edge
    {2, 3, 6},  // south edge
};

}  // namespace

bool OpensToward(uint8_t code, int side) { return code < 7 && side >= 0 && side < 4 && (kOpenSides[code] >> side) & 1; }

bool Admits(int moving, uint8_t kind) {
    // The cell must open toward the side the walk comes from.
    return moving >= 0 && moving < 4 && OpensToward(kind, (moving + 2) % 4);
}

int Turn(uint8_t kind, int moving) {
    switch (kind) {
        case 3:
            return moving == South ? East : moving == West ? North : moving;
        case 4:
            return moving == North ? East : moving == West ? South : moving;
        case 5:
            return moving == North ? West : moving == East ? South : moving;
        case 6:
            return moving == South ? West : moving == East ? North : moving;
        default:
            return moving;  // crosses and straights are passed straight through
    }
}

int FirstDirection(uint8_t kind) {
    switch (kind) {
        case 1:
        case 3:
            return North;
        case 4:
            return East;
        default:
            return West;
    }
}

uint8_t Rotated(uint8_t kind, int rotation) { return kind < 7 ? kRotation[rotation & 1][kind] : kind; }

uint8_t EdgeKind(int edge, uint32_t index) { return kEdgeKinds[edge & 3][index % 3]; }
