// The help as a player meets it from a game: paging, closing, the game held
// still meanwhile, and pages made from help files of odd shapes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "frontend/front_state.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/text.h"
#include "platform/common/message_queue.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
using platform::MsgKind;

constexpr uint32_t kPageUp = 0x21, kPageDown = 0x22, kUp = 0x26, kDown = 0x28, kF1 = 0x70;
constexpr Picture kTile = WorkPicture("help_tile");
constexpr Picture kNextArrow = WorkPicture("help_next_arrow");
constexpr Picture kPreviousArrow = WorkPicture("help_prev_arrow");
constexpr ScreenArea kNextArea = AreaOf("help_next_click");
constexpr ScreenArea kPreviousArea = AreaOf("help_prev_click");

class HelpTest : public FreshProgram {
public:
    void StartAGame(int speed = 0) {
        ASSERT_TRUE(StartUp());
        Type(' ', 700);
        Game.Speed = speed;
        ASSERT_EQ(Game.ScreenState, Playing);
    }
    void Settle(int64_t ms = 0) {
        while (hl::PendingScripted() > 0 || !platform::queue::Empty()) RunPass();
        RunUntilMs(hl::NowMs() + ms);
    }
    void Key(uint32_t key) {
        hl::Schedule(hl::NowMs(), {MsgKind::KeyDown, key, 0, 0});
        Settle();
    }
    void Type(uint32_t c, int64_t ms = 0) {
        hl::Schedule(hl::NowMs(), {MsgKind::Char, c, 0, 0});
        Settle(ms);
    }
    void Click(int x, int y) {
        hl::Schedule(hl::NowMs(), {MsgKind::MouseMove, 0, x, y});
        hl::Schedule(hl::NowMs(), {MsgKind::LButtonDown, 0, x, y});
        Settle();
    }
    void ClickIn(const ScreenArea& a) { Click(a.x + a.w / 2, a.y + a.h / 2); }
    // Replaces the linked help.txt of the program folder (never the build's own).
    void WriteHelp(const std::string& text) {
        std::filesystem::remove(Folder() + "help.txt");
        std::ofstream(Folder() + "help.txt", std::ios::binary) << text;
    }
    static std::vector<uint16_t> Screen() {
        EraseCursor();
        std::vector<uint16_t> pixels;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) pixels.push_back(PixelOf(PrimarySlot, x, y));
        DrawCursor();
        return pixels;
    }
    // Only the tiled background shows in the rectangle.
    static bool OnlyTile(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (PixelOf(PrimarySlot, x, y) !=
                    PixelOf(WorkSlot, kTile.left + x % kTile.width(), kTile.top + y % kTile.height()))
                    return false;
        return true;
    }
};

TEST_F(HelpTest, KeysAndArrowsTurnThePagesAndStopAtBothEnds) {
    StartAGame();
    struct Step {
        const char* what;
        uint32_t key;                   // 0: a click
        const ScreenArea* area;
        int page;
    };
    const Step steps[] = {
        {"F1", kF1, nullptr, 0},           {"Page Up on the first", kPageUp, nullptr, 0},
        {"Up on the first", kUp, nullptr, 0},  {"the previous arrow's place", 0, &kPreviousArea, 0},
        {"Page Down", kPageDown, nullptr, 1},  {"Down", kDown, nullptr, 2},
        {"the next arrow", 0, &kNextArea, 3},  {"the previous arrow", 0, &kPreviousArea, 2},
        {"Up", kUp, nullptr, 1},               {"Page Down", kPageDown, nullptr, 2},
        {"Down", kDown, nullptr, 3},           {"Down", kDown, nullptr, 4},
        {"Down", kDown, nullptr, 5},           {"Page Down on the last", kPageDown, nullptr, 5},
        {"the next arrow's place", 0, &kNextArea, 5},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.key)
            Key(s.key);
        else
            ClickIn(*s.area);
        ASSERT_EQ(Game.ScreenState, HelpScreen);
        EXPECT_EQ(Front.HelpPage, s.page);
        EraseCursor();
        EXPECT_EQ(ShowsAtItsPlace(kNextArrow), s.page < 5);
        EXPECT_EQ(ShowsAtItsPlace(kPreviousArrow), s.page > 0);
        DrawCursor();
    }
}

TEST_F(HelpTest, AnyCharacterOrAClickOffTheArrowsClosesTheHelpOnItsFirstPage) {
    StartAGame();
    struct Close {
        const char* what;
        uint32_t character;   // 0: a click at (x, y)
        int x, y;
    };
    const int gapY = kPreviousArea.y + kPreviousArea.h + 1;
    ASSERT_LT(gapY, kNextArea.y);
    const Close closes[] = {
        {"a letter", 'x', 0, 0},
        {"Space", ' ', 0, 0},
        {"between the arrows", 0, kNextArea.x + 10, gapY},
        {"left of the next arrow", 0, kNextArea.x - 1, kNextArea.y + 5},
        {"the board", 0, 200, 200},
    };
    for (const Close& c : closes) {
        SCOPED_TRACE(c.what);
        Key(kF1);
        Key(kPageDown);
        ASSERT_EQ(Front.HelpPage, 1);
        if (c.character)
            Type(c.character);
        else
            Click(c.x, c.y);
        EXPECT_EQ(Game.ScreenState, Playing);
        EXPECT_EQ(Front.HelpPage, 0);
    }
}

TEST_F(HelpTest, TheGameHoldsStillWhileTheHelpIsShownAndGoesOnAfter) {
    StartAGame(9);
    Key(kF1);
    const int pieces = Game.PieceCount;
    Settle(20000);
    EXPECT_EQ(Game.PieceCount, pieces);
    EXPECT_EQ(Game.ScreenState, HelpScreen);
    Type('q', 1000);
    EXPECT_EQ(Game.ScreenState, Playing);
    EXPECT_GT(Game.PieceCount, pieces);
}

TEST_F(HelpTest, ALineShowsItsFirstNinetyCharactersOnly) {
    StartAGame();
    const auto pageOf = [&](size_t dots) {
        WriteHelp(std::string(dots, '.') + "\n");
        Key(kF1);
        const std::vector<uint16_t> screen = Screen();
        Type('x');
        return screen;
    };
    ASSERT_LT(8 + MeasureString(1, Text.LargeFont, std::string(120, '.')), 800) << "all 120 would fit the screen";
    const std::vector<uint16_t> ninety = pageOf(90);
    EXPECT_TRUE(pageOf(120) == ninety);
    EXPECT_TRUE(pageOf(91) == ninety);
    EXPECT_FALSE(pageOf(89) == ninety) << "the 90th is shown";
}

TEST_F(HelpTest, AFortyLineFileLeavesThePagesAfterTheSecondWithoutTextButWithTheirPictures) {
    StartAGame();
    std::string text;
    for (int line = 0; line < 40; ++line) text += "Line of the help\n";
    WriteHelp(text);
    Key(kF1);
    // The first line's place on every page: left of the pictures, which start at x 232.
    for (int page = 0; page <= 5; ++page) {
        SCOPED_TRACE(page);
        EraseCursor();
        EXPECT_EQ(OnlyTile(8, 8, 231, 29), page >= 2);
        EXPECT_EQ(ShowsAtItsPlace(kNextArrow), page < 5);
        EXPECT_EQ(ShowsAtItsPlace(kPreviousArrow), page > 0);
        DrawCursor();
        Key(kPageDown);
    }
    // Pages 4 and 5 open on the lit corner of their first picture.
    Key(kUp);
    EraseCursor();
    EXPECT_TRUE(ShowsPicture(WorkPicture("pipe_lit_4"), 232, 228));
    EXPECT_FALSE(OnlyTile(0, 8, 799, 591));
    DrawCursor();
    Key(kDown);
    EraseCursor();
    EXPECT_TRUE(ShowsPicture(WorkPicture("pipe_lit_4"), 232, 46));
    EXPECT_TRUE(ShowsPicture(WorkPicture("pipe_locked_1"), 232 + 35 * 9, 443 + 35));
}

TEST_F(HelpTest, ALostDisplayBringsBackTheSamePage) {
    StartAGame();
    Key(kF1);
    for (int i = 0; i < 3; ++i) Key(kDown);
    const std::vector<uint16_t> before = Screen();
    hl::LoseAllSurfaces();
    RunPass();
    EXPECT_EQ(Game.ScreenState, HelpScreen);
    EXPECT_EQ(Front.HelpPage, 3);
    EXPECT_TRUE(Screen() == before);
}

TEST_F(HelpTest, AMissingHelpFileIsTheFatalFileError) {
    StartAGame();
    std::filesystem::remove(Folder() + "help.txt");
    EXPECT_NE(ExitStatusOf([&] { Key(kF1); }), 0);
    ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
    EXPECT_EQ(hl::Get().messageBoxes[0].text, "File error    2. Please reinstall Torvanex");
}

}  // namespace
