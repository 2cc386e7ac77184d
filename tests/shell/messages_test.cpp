// Message boxes, the fatal file error and the numbers it shows.
#include "graphics/cursor.h"
#include "services/number_text.h"
#include "graphics/surfaces.h"
#include "services/files.h"
#include "services/messages.h"
#include "services/random.h"
#include "support/fresh_program.h"
#include "support/scratch_folder.h"

namespace hl = platform::headless;

TEST(NumberText, FixedWidthExamples) {
    struct Case {
        int32_t value;
        int base, width, zero;
        const char* text;
    } cases[] = {
        {42, 10, 4, 0, "  42"},   {42, 10, 4, 1, "0042"},  {-42, 10, 4, 0, " -42"}, {-42, 10, 4, 1, "-042"},
        {12345, 10, 3, 0, "345"}, {1, 10, 2, 1, "01"},     {2, 10, 4, 0, "   2"},   {-7, 16, 2, 0, " 7"},
        {0, 10, 3, 0, "  0"},     {255, 16, 4, 0, "  FF"}, {7, 10, 0, 0, ""},
        {INT32_MIN, 10, 11, 0, "-2147483648"},             {INT32_MIN, 10, 4, 0, "3648"},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberText(c.value, c.base, c.width, c.zero), c.text) << c.value;
}

TEST(RandomBelow, PinnedSequenceAndRange) {
    ResetProgramState();
    SeedRandom(12345);
    // state := state x 134775813 + 1; the draw is the high half of state x n.
    uint32_t s = 12345;
    for (int i = 0; i < 1000; ++i) {
        s = s * 134775813u + 1u;
        const uint32_t n = 1 + static_cast<uint32_t>(i % 144);
        const uint32_t want = static_cast<uint32_t>((static_cast<uint64_t>(s) * n) >> 32);
        ASSERT_EQ(RandomBelow(n), want);
        ASSERT_LT(want, n);
    }
    SeedRandom(0);
    EXPECT_EQ(RandomBelow(7), 0u);  // state 1: 7 / 2^32 rounds down
}

TEST(RandomBelow, ClockSeedIsMillisecondsOfTheUtcDay) {
    hl::Reset();
    hl::Get().startOfDay = {13, 45, 30, 250};
    EXPECT_EQ(ClockSeed(), ((13u * 60 + 45) * 60 + 30) * 1000 + 250);
    hl::AdvanceMs(1500);
    EXPECT_EQ(ClockSeed(), ((13u * 60 + 45) * 60 + 31) * 1000 + 750);
}

class FatalErrors : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
    }
};

TEST_F(FatalErrors, CheckIoShowsTheCodeAndEndsWithAFailureStatus) {
    struct Case {
        int code;
        const char* text;
    } cases[] = {
        {2, "File error    2. Please reinstall Torvanex"},
        {100, "File error  100. Please reinstall Torvanex"},
        {12345, "File error 2345. Please reinstall Torvanex"},
    };
    for (const Case& c : cases) {
        hl::Get().messageBoxes.clear();
        SetLastIoResult(c.code);
        EXPECT_EQ(ExitStatusOf([] { CheckIo(); }), 1);
        ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
        EXPECT_EQ(hl::Get().messageBoxes[0].text, c.text);
        EXPECT_EQ(hl::Get().messageBoxes[0].type, platform::kMbIconError);
        EXPECT_TRUE(Shell.TornDown);
        Shell.TornDown = false;
    }
}

TEST_F(FatalErrors, CheckIoReturnsWhenTheLastOperationSucceeded) {
    SetLastIoResult(0);
    EXPECT_EQ(ExitStatusOf([] { CheckIo(); }), -1);
    EXPECT_TRUE(hl::Get().messageBoxes.empty());
}

TEST_F(FatalErrors, FileLayerCodes) {
    const std::string missing = "/nonexistent-folder-of-torvanex/arial8";
    EXPECT_EQ(OpenGameFile(missing, platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 3) << "the folder itself is missing";
    EXPECT_EQ(OpenGameFile("/tmp/no-such-torvanex-file", platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 2);
    EXPECT_EQ(TakeLastIoResult(), 0) << "reading the code clears it";
    char byte;
    EXPECT_FALSE(ReadGameFile(nullptr, &byte, 1));
    EXPECT_EQ(TakeLastIoResult(), 103);

    const ScratchFolder scratch;
    const std::string path = scratch.path() + "torvanex-short";
    ASSERT_EQ(platform::ReplaceFileAtomically(path, "ab", 2), 0);
    platform::File* f = OpenGameFile(path, platform::FileMode::Read);
    ASSERT_NE(f, nullptr);
    char buffer[4];
    EXPECT_FALSE(ReadGameFile(f, buffer, 4));
    EXPECT_EQ(TakeLastIoResult(), 100) << "a truncated file is a short read";
    EXPECT_TRUE(CloseGameFile(f));
    hl::InjectFileError("torvanex-short", hl::FileOp::Open, 5);
    EXPECT_EQ(OpenGameFile(path, platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 5);
}

TEST_F(FatalErrors, MessageBoxTakesTheCursorOffOnlyIfItWasDrawn) {
    Cursor.CursorBusy = 0;
    ShowMessage("not drawn", 0);
    EXPECT_EQ(Cursor.CursorDrawn, 0) << "a cursor that was not drawn stays off";
    DrawCursor();
    ShowMessage("drawn", 0);
    EXPECT_EQ(Cursor.CursorDrawn, 1);
    EXPECT_FALSE(hl::Get().systemCursorShown);
    ASSERT_EQ(hl::Get().messageBoxes.size(), 2u);
    EXPECT_EQ(hl::Get().messageBoxes[1].caption, "Torvanex");
}
