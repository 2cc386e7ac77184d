// Picture files of every kind a picture editor writes, and missing pictures.
#include "graphics/bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "support/scratch_folder.h"
#include "services/files.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) { b.push_back(v & 0xFF), b.push_back((v >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

struct Rgb {
    uint8_t r, g, b;
};
// A 4 x 2 picture: black, white, red, blue on top; green, black, white, red below.
const Rgb kPicture[2][4] = {{{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}},
                            {{0, 255, 0}, {0, 0, 0}, {255, 255, 255}, {255, 0, 0}}};
const uint16_t kExpected[2][4] = {{0, 0xFFFF, 0xF800, 0x001F}, {0x07E0, 0, 0xFFFF, 0xF800}};
const Rgb kPalette[5] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
int PaletteIndex(const Rgb& c) {
    for (int i = 0; i < 5; ++i)
        if (kPalette[i].r == c.r && kPalette[i].g == c.g && kPalette[i].b == c.b) return i;
    return 0;
}

enum class Kind { Rgb24, Rgb32TopDown, Indexed8, Rle8, Indexed4 };

std::vector<uint8_t> WriteBmp(Kind kind) {
    const int bits = kind == Kind::Rgb24 ? 24 : kind == Kind::Rgb32TopDown ? 32 : kind == Kind::Indexed4 ? 4 : 8;
    const bool topDown = kind == Kind::Rgb32TopDown;
    std::vector<uint8_t> data;
    for (int i = 0; i < 2; ++i) {
        const int y = topDown ? i : 1 - i;
        std::vector<uint8_t> row;
        if (kind == Kind::Rle8) {
            for (int x = 0; x < 4; ++x) row.push_back(1), row.push_back(static_cast<uint8_t>(PaletteIndex(kPicture[y][x])));
            row.push_back(0), row.push_back(0);   // end of line
        } else if (kind == Kind::Indexed4) {
            for (int x = 0; x < 4; x += 2)
                row.push_back(static_cast<uint8_t>(PaletteIndex(kPicture[y][x]) << 4 | PaletteIndex(kPicture[y][x + 1])));
        } else {
            for (int x = 0; x < 4; ++x) {
                const Rgb& c = kPicture[y][x];
                if (bits == 8) row.push_back(static_cast<uint8_t>(PaletteIndex(c)));
                else row.push_back(c.b), row.push_back(c.g), row.push_back(c.r);
                if (bits == 32) row.push_back(0);
            }
        }
        while (kind != Kind::Rle8 && row.size() % 4) row.push_back(0);
        data.insert(data.end(), row.begin(), row.end());
    }
    if (kind == Kind::Rle8) data.push_back(0), data.push_back(1);   // end of picture
    const bool indexed = bits <= 8;
    const uint32_t paletteBytes = indexed ? 4 * 16 : 0;
    std::vector<uint8_t> b = {'B', 'M'};
    Put32(b, 14 + 40 + paletteBytes + static_cast<uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, 14 + 40 + paletteBytes);
    Put32(b, 40);
    Put32(b, 4);
    Put32(b, topDown ? static_cast<uint32_t>(-2) : 2);
    Put16(b, 1);
    Put16(b, static_cast<uint32_t>(bits));
    Put32(b, kind == Kind::Rle8 ? 1 : 0);
    Put32(b, static_cast<uint32_t>(data.size()));
    Put32(b, 2835), Put32(b, 2835);
    Put32(b, indexed ? 16 : 0), Put32(b, 0);
    for (int i = 0; i < (indexed ? 16 : 0); ++i) {
        const Rgb c = i < 5 ? kPalette[i] : Rgb{0, 0, 0};
        b.push_back(c.b), b.push_back(c.g), b.push_back(c.r), b.push_back(0);
    }
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

class BitmapTest : public ::testing::Test {
public:
    ScratchFolder scratch{"torvanex-bitmap"};
    std::string folder = scratch.path();
    void SetUp() override {
        platform::headless::Reset();
        ResetProgramState();
        Files.ProgramFolder = folder;
        ASSERT_EQ(InitDisplay(800, 600, 16), 0);
        ASSERT_EQ(CreateSurfaceSlot(ComposeSlot, 800, 600, platform::SurfaceKind::SystemMemory, false), 0);
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(folder + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static uint16_t At(int x, int y) { return platform::headless::Pixel(Display.Slots[ComposeSlot].surface, x, y); }
};

TEST_F(BitmapTest, EveryDepthAndRowOrderArrivesAsRgb565WithBlackZero) {
    const Kind kinds[] = {Kind::Rgb24, Kind::Rgb32TopDown, Kind::Indexed8, Kind::Rle8, Kind::Indexed4};
    for (const Kind kind : kinds) {
        Write("pic.wrk", WriteBmp(kind));
        LoadBitmapFile(0, 0, 10, 20, ComposeSlot, "pic.wrk");
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(At(10 + x, 20 + y), kExpected[y][x]) << "kind " << static_cast<int>(kind) << " at " << x << "," << y;
    }
}

TEST_F(BitmapTest, APictureRunningOffTheSlotIsCutAtItsEdges) {
    Write("pic.wrk", WriteBmp(Kind::Rgb24));
    LoadBitmapFile(0, 0, 798, 599, ComposeSlot, "pic.wrk");
    EXPECT_EQ(At(798, 599), kExpected[0][0]);
    EXPECT_EQ(At(799, 599), kExpected[0][1]);
    LoadBitmapFile(0, 0, -2, -1, ComposeSlot, "pic.wrk");
    EXPECT_EQ(At(0, 0), kExpected[1][2]);
    EXPECT_EQ(At(1, 0), kExpected[1][3]);
}

TEST_F(BitmapTest, MissingOrUnreadablePicturesEndTheProgram) {
    Write("pic", WriteBmp(Kind::Rgb24));
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic");   // a name without extension is used as it is
    Write("junk.wrk", {'B', 'M', 1, 2, 3});
    for (const char* name : {"pic.bmp", "absent.wrk", "junk.wrk"}) {
        platform::headless::Get().messageBoxes.clear();
        try {
            LoadBitmapFile(0, 0, 0, 0, ComposeSlot, name);
            ADD_FAILURE() << name << ": the program went on";
        } catch (const platform::headless::ProcessExit& exit) {
            EXPECT_NE(exit.status, 0) << name;
            ASSERT_EQ(platform::headless::Get().messageBoxes.size(), 1u) << name;
            EXPECT_EQ(platform::headless::Get().messageBoxes[0].text, "File not found. Please reinstall Torvanex");
            EXPECT_EQ(platform::headless::Get().messageBoxes[0].caption, "Torvanex");
        }
        EXPECT_TRUE(Shell.TornDown) << name;
        Shell.TornDown = false;
    }
}

}  // namespace
