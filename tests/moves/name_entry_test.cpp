// The name entry after a game that scored: what typing leaves on screen, the
// field's limits, what each way of closing stores, the blink. A lost display
// is in the front end's rebuild of every screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/game_end.h"
#include "graphics/cursor.h"
#include "graphics/text.h"
#include "moves/moves_state.h"
#include "persist/top_scores.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
constexpr ScreenArea kField = AreaOf("name_text_field");
constexpr ScreenArea kStrip = AreaOf("name_blank_strip");
constexpr ScreenArea kCancel = AreaOf("name_cancel_click");
constexpr int32_t kScore = 700;

class NameEntryTest : public FreshProgram {
public:
    void SetUp() override {
        FreshProgram::SetUp();
        ASSERT_TRUE(StartUp());
        Post({platform::MsgKind::Char, ' ', 0, 0});
        RunUntilMs(hl::NowMs() + 700);
        Game.Score = kScore;
        DrawScore(PrimarySlot);
        EndGame();
        ASSERT_EQ(Game.ScreenState, NameEntry);
    }
    void Type(const std::string& text) {
        for (const char c : text) Post({platform::MsgKind::Char, static_cast<unsigned char>(c), 0, 0});
    }
    static int Caret() { return FindPicture(WorkPicture("caret_bar"), kField.x, kField.x + kField.w - 1, kField.y); }
    static uint16_t Fill() { return PixelOf(PrimarySlot, kStrip.x, kStrip.y); }
};

TEST_F(NameEntryTest, BackspaceLeavesWhatTypingOneLetterLessWouldHave) {
    EXPECT_EQ(Caret(), kField.x);
    Type("An");
    const std::vector<uint16_t> typed = ShownPixels();
    int lastInk = -1;   // the n's shadow
    for (int x = kField.x; x < Caret(); ++x)
        for (int y = kField.y; y < kField.y + kField.h; ++y)
            if (PixelOf(PrimarySlot, x, y) != Fill()) lastInk = x;
    EXPECT_EQ(Caret(), lastInk + 1);
    Type("n\b");
    EXPECT_EQ(Moves.EntryName, "An");
    EXPECT_TRUE(ShownPixels() == typed);
}

TEST_F(NameEntryTest, LettersStopAtTwentyFiveOrWhereTheFieldEnds) {
    for (const char letter : {'i', 'W'}) {
        SCOPED_TRACE(letter);
        Type(std::string(Moves.EntryName.size(), '\b') + std::string(30, letter));
        const std::string& name = Moves.EntryName;
        if (25 * MeasureString(0, Text.LargeFont, std::string(1, letter)) < kField.w) {
            EXPECT_EQ(name, std::string(25, letter));
        } else {
            EXPECT_LT(MeasureString(0, Text.LargeFont, name), kField.w);
            EXPECT_GE(MeasureString(0, Text.LargeFont, name + letter), kField.w);
        }
        for (int x = kStrip.x; x < kStrip.x + kStrip.w; ++x)
            for (int y = kStrip.y; y < kStrip.y + kStrip.h; ++y) ASSERT_EQ(PixelOf(PrimarySlot, x, y), Fill());
    }
    EXPECT_LT(Moves.EntryName.size(), 25u) << "wide letters stop before 25";
}

TEST_F(NameEntryTest, EnterAndOkStoreTheNameEscapeAndCancelDropIt) {
    const std::string high = "\xe9" + std::string(18, 'i') + "\xff\xe0" + std::string(4, 'i');
    struct Case {
        std::string typed;
        platform::Message close;
        bool stored;
        std::string kept;
    };
    const Case cases[] = {
        {"", {platform::MsgKind::Char, 13, 0, 0}, true, ""},
        {high, {platform::MsgKind::Char, 13, 0, 0}, true, high.substr(0, 20)},
        {"Ann", {platform::MsgKind::Char, 27, 0, 0}, false, ""},
        {"Ann", {platform::MsgKind::LButtonDown, 0, kCancel.x + kCancel.w / 2, kCancel.y + kCancel.h / 2}, false, ""},
    };
    for (const Case& c : cases) {
        ResetPersistState();
        Game.ScreenState = GameOver;
        CheckTopScore();
        Type(c.typed);
        ASSERT_EQ(Moves.EntryName, c.typed);
        Post({platform::MsgKind::MouseMove, 0, c.close.x, c.close.y});
        Post(c.close);
        EXPECT_EQ(Game.ScreenState, GameOver);
        EXPECT_EQ(Persist.ScoresChanged, c.stored);
        EXPECT_EQ(ScoreValue(CurrentScoreTable(), 1), c.stored ? kScore : 0);
        if (c.stored) {
            EXPECT_EQ(ScoreName(CurrentScoreTable(), 1), c.kept);
        }
    }
}

TEST_F(NameEntryTest, TheCaretBlinksFifteenTicksOnAndFifteenOff) {
    Type("Eve");
    const int at = Caret();
    std::string seen;
    for (int tick = 1; tick <= 31; ++tick) {
        TickOnce();
        seen += Caret() == at ? '|' : PixelOf(PrimarySlot, at, kField.y) == Fill() ? '.' : '?';
    }
    EXPECT_EQ(seen, std::string(14, '|') + std::string(15, '.') + "||");
}

}  // namespace
