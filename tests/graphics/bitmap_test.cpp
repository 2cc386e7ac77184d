// Picture files as an editor writes them, cut at the slot's edges, and missing pictures.
#include "graphics/bitmap.h"

#include <vector>

#include "support/fresh_program.h"
#include "support/pictures.h"

// A 4 x 2 picture: black, white, red, blue over green, black, white, red.
const uint16_t kShown[2][4] = {{0, 0xFFFF, 0xF800, 0x001F}, {0x07E0, 0, 0xFFFF, 0xF800}};
const uint8_t kIndex[2][4] = {{0, 1, 2, 3}, {4, 0, 1, 2}};
const uint8_t kPalette[5][3] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};   // r, g, b

// The picture as a bottom-up 24-bit file, as the game's own pictures are
// written, or with a palette and run-length coding, the other end of what a
// picture editor writes.
static std::vector<uint8_t> Bmp(bool rle) {
    std::vector<uint8_t> data, b = {'B', 'M'};
    for (int y = 1; y >= 0; --y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t index = kIndex[y][x], *rgb = kPalette[index];
            if (rle) data.insert(data.end(), {1, index});
            else data.insert(data.end(), {rgb[2], rgb[1], rgb[0]});
        }
        if (rle) data.insert(data.end(), {0, 0});   // end of line; a 24-bit row of 12 bytes needs no padding
    }
    if (rle) data.insert(data.end(), {0, 1});   // end of picture
    const uint32_t colours = rle ? 5 : 0, offset = 54 + 4 * colours, size = static_cast<uint32_t>(data.size());
    for (const auto& [value, bytes] : {std::pair{offset + size, 4}, {0u, 4}, {offset, 4}, {40u, 4}, {4u, 4}, {2u, 4},
                                       {1u, 2}, {rle ? 8u : 24u, 2}, {rle ? 1u : 0u, 4}, {size, 4}, {2835u, 4},
                                       {2835u, 4}, {colours, 4}, {0u, 4}})
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(value >> 8 * i));
    for (uint32_t i = 0; i < colours; ++i) b.insert(b.end(), {kPalette[i][2], kPalette[i][1], kPalette[i][0], 0});
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

class BitmapTest : public FreshProgram {
public:
    BitmapTest() : FreshProgram(false) {}
    void SetUp() override { FreshProgram::SetUp(), CreateDisplay(); }
};

TEST_F(BitmapTest, DirectAndPalettePicturesArriveAsRgb565WithBlackZero) {
    for (const bool rle : {false, true}) {
        Write("pic.wrk", Bmp(rle));
        LoadBitmapFile(0, 0, 10, 20, ComposeSlot, "pic.wrk");
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(PixelOf(ComposeSlot, 10 + x, 20 + y), kShown[y][x]) << (rle ? "palette " : "direct ") << x << "," << y;
    }
}

TEST_F(BitmapTest, APictureRunningOffTheSlotIsCutAtItsEdges) {
    Write("pic.wrk", Bmp(false));
    LoadBitmapFile(0, 0, 798, 599, ComposeSlot, "pic.wrk");
    EXPECT_EQ(PixelOf(ComposeSlot, 798, 599), kShown[0][0]);
    EXPECT_EQ(PixelOf(ComposeSlot, 799, 599), kShown[0][1]);
    LoadBitmapFile(1, 0, -1, -1, ComposeSlot, "pic.wrk");   // from (1, 0) of the file, one column and row off
    EXPECT_EQ(PixelOf(ComposeSlot, 0, 0), kShown[1][2]);
    EXPECT_EQ(PixelOf(ComposeSlot, 1, 0), kShown[1][3]);
    EXPECT_EQ(PixelOf(ComposeSlot, 2, 0), 0) << "nothing past the picture's right edge";
    LoadBitmapFile(-1, 0, 0, 10, ComposeSlot, "pic.wrk");   // from before the picture's left edge
    EXPECT_TRUE(PixelOf(ComposeSlot, 2, 10) == kShown[0][1] && PixelOf(ComposeSlot, 4, 10) == kShown[0][3]);
    EXPECT_EQ(PixelOf(ComposeSlot, 0, 10), 0) << "nothing left of where the picture starts";
}

TEST_F(BitmapTest, MissingOrUnreadablePicturesEndTheProgram) {
    Write("pic", Bmp(false));
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic");   // a name is used as it is given
    Write("junk.wrk", {'B', 'M', 1, 2, 3});
    for (const char* name : {"pic.bmp", "absent.wrk", "junk.wrk"}) {
        SCOPED_TRACE(name);
        platform::headless::Get().messageBoxes.clear();
        Shell.TornDown = false;
        EXPECT_EQ(ExitStatusOf([name] { LoadBitmapFile(0, 0, 0, 0, ComposeSlot, name); }), 1);
        ExpectOneMessage("File not found. Please reinstall Torvanex");
        EXPECT_TRUE(Shell.TornDown);
    }
}

// A picture file as a hostile one is made: a header of `headerSize` bytes (40,
// or the oldest kind, 12) claiming `width` x `height` at `bits` a pixel,
// followed by `dataBytes` bytes of pixels; a two-colour palette below 8 bits.
static std::vector<uint8_t> Claiming(int64_t width, int64_t height, int bits, size_t dataBytes, int headerSize = 40) {
    const uint32_t colours = bits < 8 ? 2 : 0, entry = headerSize == 12 ? 3 : 4;
    const uint32_t offset = 14 + headerSize + colours * entry;
    std::vector<uint8_t> b;
    const auto le = [&b](int64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint64_t>(value) >> 8 * i));
    };
    b = {'B', 'M'};
    le(offset + dataBytes, 4), le(0, 4), le(offset, 4), le(headerSize, 4);
    if (headerSize == 12) {
        le(width, 2), le(height, 2), le(1, 2), le(bits, 2);
    } else {
        le(width, 4), le(height, 4), le(1, 2), le(bits, 2), le(0, 4), le(dataBytes, 4), le(2835, 4), le(2835, 4),
            le(colours, 4), le(0, 4);
    }
    for (uint32_t i = 0; i < colours * entry; ++i) b.push_back(i < entry ? 0 : 0xFF);
    b.resize(b.size() + dataBytes, 0x5A);
    return b;
}

// What a picture claims is checked before its pixels take any memory: more
// pixels than its file holds (65536 x 65536 at one bit a pixel in 62 bytes
// used to grow the game to gigabytes; 30000 x 30000 at 24 bits overflowed the
// reader's row arithmetic), or more than the slot it is meant for, is refused
// like a missing picture. A picture that fits is cut at the slot's edges.
TEST_F(BitmapTest, APictureClaimingMoreThanItsFileOrItsSlotHoldsIsRefusedLikeAMissingOne) {
    const auto row24 = [](int64_t width) { return static_cast<size_t>((width * 3 + 3) / 4 * 4); };
    const struct { const char* what; std::vector<uint8_t> file; bool shown; } cases[] = {
        {"65536 x 65536 at one bit, 62 bytes", Claiming(65536, 65536, 1, 0), false},
        {"65536 x 65536 at one bit, 218 bytes", Claiming(65536, 65536, 1, 156), false},
        {"30000 x 30000 at 24 bits, a few rows", Claiming(30000, 30000, 24, 3 * row24(30000)), false},
        {"top-down 30000 rows", Claiming(4, -30000, 24, 4 * row24(4)), false},
        {"a row short", Claiming(800, 600, 24, 599 * row24(800)), false},
        {"one column wider than the slot", Claiming(801, 2, 24, 2 * row24(801)), false},
        {"one row taller than the slot", Claiming(4, 601, 24, 601 * row24(4)), false},
        {"the oldest header's sides are unsigned", Claiming(4, 0xFFFF, 24, 2 * row24(4), 12), false},
        {"the slot's own size", Claiming(800, 600, 24, 600 * row24(800)), true},
        {"the oldest header, within the slot", Claiming(4, 2, 24, 2 * row24(4), 12), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        CreateDisplay();
        Write("pic.wrk", c.file);
        const int status = ExitStatusOf([] { LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic.wrk"); });
        if (c.shown) {
            EXPECT_EQ(status, -1);
            EXPECT_EQ(PixelOf(ComposeSlot, 0, 0), 0x5ACB) << "0x5A5A5A in 565";
        } else {
            EXPECT_EQ(status, 1);
            ExpectOneMessage("File not found. Please reinstall Torvanex");
        }
    }
}
