// The name entry as a player meets it after a game that scored: typing, the
// caret, the buttons and keys that close the box, and a lost display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/game_end.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/text.h"
#include "moves/moves_state.h"
#include "persist/top_scores.h"
#include "platform/common/message_queue.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
using platform::MsgKind;

constexpr ScreenArea kField = AreaOf("name_text_field");
constexpr ScreenArea kBlankStrip = AreaOf("name_blank_strip");
constexpr ScreenArea kOkArea = AreaOf("name_ok_click");
constexpr ScreenArea kCancelArea = AreaOf("name_cancel_click");
constexpr ScreenArea kBox = AreaOf("name_entry_box");
constexpr Picture kCaretBar = WorkPicture("caret_bar");
constexpr int32_t kScore = 700;

class NameEntryTest : public FreshProgram {
public:
    // A game of mode 0 that ends with a score above every default entry but the first.
    void SetUp() override {
        FreshProgram::SetUp();
        ASSERT_TRUE(StartUp());
        Type(' ', 700);
        Game.Score = kScore;
        DrawScore(PrimarySlot);
        EndGame();
        ASSERT_EQ(Game.ScreenState, NameEntry);
    }
    void Settle() {
        while (hl::PendingScripted() > 0 || !platform::queue::Empty()) RunPass();
    }
    void Type(uint32_t c, int64_t ms = 0) {
        hl::Schedule(hl::NowMs(), {MsgKind::Char, c, 0, 0});
        Settle();
        RunUntilMs(hl::NowMs() + ms);
    }
    void TypeText(const std::string& text) {
        for (const char c : text) Type(static_cast<unsigned char>(c));
    }
    void Click(int x, int y) {
        hl::Schedule(hl::NowMs(), {MsgKind::MouseMove, 0, x, y});
        hl::Schedule(hl::NowMs(), {MsgKind::LButtonDown, 0, x, y});
        Settle();
    }
    void TickOnce() {
        const int64_t last = Shell.LastTick;
        while (Shell.LastTick == last) RunPass();
    }
    // The screen without the pointer.
    static std::vector<uint16_t> Screen(int x = 0, int y = 0, int w = 800, int h = 600) {
        const bool drawn = Cursor.CursorDrawn;
        if (drawn) EraseCursor();
        std::vector<uint16_t> pixels;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) pixels.push_back(PixelOf(PrimarySlot, i, j));
        if (drawn) DrawCursor();
        return pixels;
    }
    // Where the caret bar shows in the field; -1 when nowhere.
    static int CaretShownAt() { return FindPicture(kCaretBar, kField.x, kField.x + kField.w - 1, kField.y); }
    static uint16_t FieldFill() { return PixelOf(PrimarySlot, kBlankStrip.x, kBlankStrip.y); }
    static bool StripIsPlain() {
        for (const uint16_t p : Screen(kBlankStrip.x, kBlankStrip.y, kBlankStrip.w, kBlankStrip.h))
            if (p != FieldFill()) return false;
        return true;
    }
};

TEST_F(NameEntryTest, TheBoxOpensEmptyWithTheCaretAtTheStartOfTheField) {
    EXPECT_EQ(Moves.EntryName, "");
    EXPECT_EQ(CaretShownAt(), kField.x);
    EraseCursor();
    EXPECT_TRUE(ShowsAtItsPlace(WorkPicture("ok_normal")));
    EXPECT_TRUE(ShowsAtItsPlace(WorkPicture("cancel_normal")));
}

TEST_F(NameEntryTest, BackspaceLeavesWhatTypingOneLetterLessWouldHave) {
    TypeText("An");
    const std::vector<uint16_t> typed = Screen();
    // The caret stands right after the last letter's shadow.
    int lastInk = -1;
    for (int x = kField.x; x < CaretShownAt(); ++x)
        for (int y = kField.y; y < kField.y + kField.h; ++y)
            if (PixelOf(PrimarySlot, x, y) != FieldFill()) lastInk = x;
    EXPECT_EQ(CaretShownAt(), lastInk + 1);

    TypeText("n");
    EXPECT_GT(CaretShownAt(), lastInk + 1);
    Type(8);
    EXPECT_EQ(Moves.EntryName, "An");
    EXPECT_TRUE(Screen() == typed) << "the n and its shadow are gone and the caret is back after the first n";
}

TEST_F(NameEntryTest, LettersStopAtTwentyFiveOrWhereTheFieldEnds) {
    struct Case {
        char letter;
        bool narrow;   // 25 of them fit the field
    };
    for (const Case c : {Case{'i', true}, Case{'W', false}}) {
        SCOPED_TRACE(c.letter);
        while (!Moves.EntryName.empty()) Type(8);
        ASSERT_EQ(25 * MeasureString(0, Text.LargeFont, std::string(1, c.letter)) < kField.w, c.narrow);
        TypeText(std::string(30, c.letter));
        const std::string& name = Moves.EntryName;
        if (c.narrow) {
            EXPECT_EQ(name.size(), 25u);
        } else {
            EXPECT_LT(name.size(), 25u);
            EXPECT_LT(MeasureString(0, Text.LargeFont, name), kField.w);
            EXPECT_GE(MeasureString(0, Text.LargeFont, name + c.letter), kField.w);
        }
        EXPECT_EQ(name.find_first_not_of(c.letter), std::string::npos);
        EXPECT_TRUE(StripIsPlain()) << "nothing is drawn past the end of the field";
        EXPECT_GT(CaretShownAt(), kField.x);
    }
}

TEST_F(NameEntryTest, InputThatCannotBeTakenChangesNothing) {
    const std::vector<uint16_t> before = Screen();
    Type(8);                                  // Backspace on an empty name
    Click(kBox.x + 5, kBox.y + 5);            // in the box, off the buttons
    Click(kOkArea.x - 1, kOkArea.y + 10);     // just left of OK
    Click(10, 10);                            // off the box
    hl::Schedule(hl::NowMs(), {MsgKind::KeyDown, 0x70, 0, 0});   // F1
    Settle();
    EXPECT_EQ(Game.ScreenState, NameEntry);
    EXPECT_EQ(Moves.EntryName, "");
    EXPECT_TRUE(Screen() == before);
    EXPECT_EQ(Persist.ScoresChanged, 0);
}

TEST_F(NameEntryTest, EnterAndOkStoreTheNameEscapeAndCancelDropIt) {
    enum class Close { Enter, Ok, Escape, Cancel };
    struct Case {
        const char* what;
        std::string typed;
        Close close;
        bool stored;
        std::string name;   // as the table keeps it
    };
    const Case cases[] = {
        {"Enter", "Ann", Close::Enter, true, "Ann"},
        {"Enter with no name", "", Close::Enter, true, ""},
        {"a click on OK", "Bo", Close::Ok, true, "Bo"},
        {"25 letters, some above 127", "\xe9" + std::string(18, 'i') + "\xff\xe0" + std::string(4, 'i'),
         Close::Enter, true, "\xe9" + std::string(18, 'i') + "\xff"},
        {"Escape", "Cy", Close::Escape, false, ""},
        {"a click on Cancel", "Di", Close::Cancel, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetPersistState();
        Game.Score = kScore;
        Game.ScreenState = GameOver;
        CheckTopScore();
        ASSERT_EQ(Game.ScreenState, NameEntry);
        TypeText(c.typed);
        ASSERT_EQ(Moves.EntryName, c.typed);
        const int64_t before = hl::NowMs();
        switch (c.close) {
            case Close::Enter: Type(13); break;
            case Close::Escape: Type(27); break;
            case Close::Ok: Click(kOkArea.x + kOkArea.w / 2, kOkArea.y + kOkArea.h / 2); break;
            case Close::Cancel: Click(kCancelArea.x + kCancelArea.w / 2, kCancelArea.y + kCancelArea.h / 2); break;
        }
        EXPECT_GE(hl::NowMs() - before, 500) << "the pressed button shows, then the normal one";
        EXPECT_EQ(Game.ScreenState, GameOver);
        EXPECT_EQ(Persist.ScoresChanged, c.stored ? 1 : 0);
        const int table = CurrentScoreTable();
        EXPECT_EQ(ScoreValue(table, 1), c.stored ? kScore : 0) << "below the author's entry";
        if (c.stored) {
            EXPECT_EQ(ScoreName(table, 1), c.name);
        }
    }
}

TEST_F(NameEntryTest, TheCaretBlinksFifteenTicksOnAndFifteenOff) {
    TypeText("Eve");
    const int at = CaretShownAt();
    ASSERT_GT(at, kField.x);
    std::string seen;
    for (int tick = 1; tick <= 31; ++tick) {
        TickOnce();
        seen += CaretShownAt() == at ? '|' : '.';
        // Hidden, the caret leaves the field as it was under it.
        if (CaretShownAt() != at) {
            EXPECT_EQ(PixelOf(PrimarySlot, at, kField.y + 5), FieldFill()) << tick;
        }
    }
    EXPECT_EQ(seen, std::string(14, '|') + std::string(15, '.') + "||");
    // A letter typed while the caret is hidden shows it at once after the letter.
    for (int tick = 0; tick < 16; ++tick) TickOnce();
    ASSERT_EQ(CaretShownAt(), -1);
    TypeText("n");
    EXPECT_GT(CaretShownAt(), at);
}

TEST_F(NameEntryTest, ALostDisplayReopensTheBoxWithTheNameTypedSoFar) {
    TypeText("Bo \xe9");
    for (int tick = 0; tick < 3; ++tick) TickOnce();
    const std::vector<uint16_t> before = Screen();
    hl::LoseAllSurfaces();
    Shell.LastTick = platform::ReadCounter();   // no blink in the same pass
    RunPass();
    EXPECT_EQ(Game.ScreenState, NameEntry);
    EXPECT_EQ(Moves.EntryName, "Bo \xe9");
    EXPECT_TRUE(Screen() == before) << "the box, the name and the caret after it, as they were";
    Type(8);
    EXPECT_EQ(Moves.EntryName, "Bo ");
}

}  // namespace
