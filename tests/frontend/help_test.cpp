// Help pages made from help files of odd shapes: short, wide and missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontend/front_state.h"
#include "graphics/cursor.h"
#include "graphics/text.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
constexpr uint32_t kPageUp = 0x21, kPageDown = 0x22, kF1 = 0x70;
constexpr Picture kTile = WorkPicture("help_tile");

class HelpTest : public FreshProgram {
public:
    // A game in play, with `text` as its help.txt (replacing the link to the build's).
    void StartWithHelp(const std::string& text) {
        std::filesystem::remove(Folder() + "help.txt");
        std::ofstream(Folder() + "help.txt", std::ios::binary) << text;
        ASSERT_TRUE(StartUp());
        Post({platform::MsgKind::Char, ' ', 0, 0});
        RunUntilMs(hl::NowMs() + 700);
    }
    void Key(uint32_t key) { Post({platform::MsgKind::KeyDown, key, 0, 0}); }
    static bool OnlyTile(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (PixelOf(PrimarySlot, x, y) !=
                    PixelOf(WorkSlot, kTile.left + x % kTile.width(), kTile.top + y % kTile.height()))
                    return false;
        return true;
    }
};

TEST_F(HelpTest, AFortyLineFileLeavesThePagesFromTheThirdOnWithPicturesAndArrowsButNoText) {
    std::string text;
    for (int line = 0; line < 40; ++line) text += "Line of the help\n";
    StartWithHelp(text);
    Key(kF1);
    Key(kPageUp);
    for (int page = 0; page <= 5; ++page) {
        SCOPED_TRACE(page);
        ASSERT_EQ(Front.HelpPage, page);
        EraseCursor();
        // The first line's place, left of where the pictures start.
        EXPECT_EQ(OnlyTile(8, 8, 231, 29), page >= 2);
        EXPECT_EQ(ShowsAtItsPlace(WorkPicture("help_next_arrow")), page < 5);
        EXPECT_EQ(ShowsAtItsPlace(WorkPicture("help_prev_arrow")), page > 0);
        DrawCursor();
        Key(kPageDown);
    }
    EXPECT_EQ(Front.HelpPage, 5);
}

TEST_F(HelpTest, ALineShowsItsFirstNinetyCharactersOnly) {
    StartWithHelp("");
    ASSERT_LT(8 + MeasureString(1, Text.LargeFont, std::string(120, '.')), 800) << "120 dots would fit the screen";
    const auto pageOf = [&](size_t dots) {
        std::ofstream(Folder() + "help.txt", std::ios::binary) << std::string(dots, '.') << "\n";
        Key(kF1);
        const std::vector<uint16_t> shown = ShownPixels();
        Post({platform::MsgKind::Char, 'x', 0, 0});
        return shown;
    };
    const std::vector<uint16_t> ninety = pageOf(90);
    EXPECT_TRUE(pageOf(120) == ninety);
    EXPECT_FALSE(pageOf(89) == ninety) << "the 90th is shown";
}

TEST_F(HelpTest, AMissingHelpFileIsTheFatalFileError) {
    StartWithHelp("");
    std::filesystem::remove(Folder() + "help.txt");
    EXPECT_NE(ExitStatusOf([&] { Key(kF1); }), 0);
    ExpectOneMessage(FileError("   2"));
}

}  // namespace
