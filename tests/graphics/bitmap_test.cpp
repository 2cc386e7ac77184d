// Picture files of every kind a picture editor writes, cut at the slot's
// edges, and missing pictures.
#include "graphics/bitmap.h"

#include <fstream>
#include <vector>

#include "services/files.h"
#include "support/fresh_program.h"
#include "support/pictures.h"
#include "support/scratch_folder.h"

// A 4 x 2 picture: black, white, red, blue over green, black, white, red.
const uint16_t kShown[2][4] = {{0, 0xFFFF, 0xF800, 0x001F}, {0x07E0, 0, 0xFFFF, 0xF800}};
const uint8_t kIndex[2][4] = {{0, 1, 2, 3}, {4, 0, 1, 2}};
const uint8_t kPalette[5][3] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};   // r, g, b
enum class Kind { Rgb24, Rgb32TopDown, Indexed8, Rle8, Indexed4 };

static void Put(std::vector<uint8_t>& b, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(value >> 8 * i));
}

static std::vector<uint8_t> Bmp(Kind kind) {
    const uint32_t depth = kind == Kind::Rgb24 ? 24 : kind == Kind::Rgb32TopDown ? 32 : kind == Kind::Indexed4 ? 4 : 8;
    std::vector<uint8_t> data;
    for (int i = 0; i < 2; ++i) {
        const int y = kind == Kind::Rgb32TopDown ? i : 1 - i;
        const size_t rowStart = data.size();
        for (int x = 0; x < 4; ++x) {
            const uint8_t index = kIndex[y][x], *rgb = kPalette[index];
            if (kind == Kind::Rle8) data.insert(data.end(), {1, index});
            if (kind == Kind::Indexed8) data.push_back(index);
            if (kind == Kind::Indexed4 && x % 2 == 0) data.push_back(static_cast<uint8_t>(index << 4 | kIndex[y][x + 1]));
            if (depth >= 24) data.insert(data.end(), {rgb[2], rgb[1], rgb[0]});
            if (depth == 32) data.push_back(0);
        }
        if (kind == Kind::Rle8) data.insert(data.end(), {0, 0});   // end of line
        while (kind != Kind::Rle8 && (data.size() - rowStart) % 4) data.push_back(0);
    }
    if (kind == Kind::Rle8) data.insert(data.end(), {0, 1});   // end of picture
    const uint32_t colours = depth <= 8 ? 16 : 0, offset = 54 + 4 * colours, size = static_cast<uint32_t>(data.size());
    std::vector<uint8_t> b = {'B', 'M'};
    for (const auto& [value, bytes] : {std::pair{offset + size, 4}, {0, 4}, {offset, 4}, {40, 4}, {4, 4},
                                       {kind == Kind::Rgb32TopDown ? uint32_t(-2) : 2u, 4}, {1, 2}, {depth, 2},
                                       {kind == Kind::Rle8 ? 1u : 0u, 4}, {size, 4}, {2835, 4}, {2835, 4}, {colours, 4},
                                       {0, 4}})
        Put(b, value, bytes);
    for (uint32_t i = 0; i < colours; ++i) b.insert(b.end(), {kPalette[i % 5][2], kPalette[i % 5][1], kPalette[i % 5][0], 0});
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

class BitmapTest : public FreshProgram {
public:
    ScratchFolder scratch{"torvanex-bitmap"};
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
        Files.ProgramFolder = scratch.path();
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(scratch.path() + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
};

TEST_F(BitmapTest, EveryDepthAndRowOrderArrivesAsRgb565WithBlackZero) {
    for (const Kind kind : {Kind::Rgb24, Kind::Rgb32TopDown, Kind::Indexed8, Kind::Rle8, Kind::Indexed4}) {
        Write("pic.wrk", Bmp(kind));
        LoadBitmapFile(0, 0, 10, 20, ComposeSlot, "pic.wrk");
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(PixelOf(ComposeSlot, 10 + x, 20 + y), kShown[y][x]) << "kind " << int(kind) << " at " << x << "," << y;
    }
}

TEST_F(BitmapTest, APictureRunningOffTheSlotIsCutAtItsEdges) {
    Write("pic.wrk", Bmp(Kind::Rgb24));
    LoadBitmapFile(0, 0, 798, 599, ComposeSlot, "pic.wrk");
    EXPECT_EQ(PixelOf(ComposeSlot, 798, 599), kShown[0][0]);
    EXPECT_EQ(PixelOf(ComposeSlot, 799, 599), kShown[0][1]);
    LoadBitmapFile(1, 0, -1, -1, ComposeSlot, "pic.wrk");   // from (1, 0) of the file, one column and row off
    EXPECT_EQ(PixelOf(ComposeSlot, 0, 0), kShown[1][2]);
    EXPECT_EQ(PixelOf(ComposeSlot, 1, 0), kShown[1][3]);
    EXPECT_EQ(PixelOf(ComposeSlot, 2, 0), 0) << "nothing past the picture's right edge";
}

TEST_F(BitmapTest, MissingOrUnreadablePicturesEndTheProgram) {
    Write("pic", Bmp(Kind::Rgb24));
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic");   // a name is used as it is given
    Write("junk.wrk", {'B', 'M', 1, 2, 3});
    for (const char* name : {"pic.bmp", "absent.wrk", "junk.wrk"}) {
        auto& boxes = platform::headless::Get().messageBoxes;
        boxes.clear();
        Shell.TornDown = false;
        EXPECT_EQ(ExitStatusOf([name] { LoadBitmapFile(0, 0, 0, 0, ComposeSlot, name); }), 1) << name;
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes[0].text, "File not found. Please reinstall Torvanex");
        EXPECT_TRUE(Shell.TornDown) << name;
    }
}
