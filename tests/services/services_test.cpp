// The program-wide services: fixed-width numbers, the program folder, the file
// layer's codes, message boxes and the fatal file error.
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "services/files.h"
#include "services/messages.h"
#include "services/number_text.h"
#include "support/fresh_program.h"
#include "support/scratch_folder.h"

namespace hl = platform::headless;

TEST(NumberText, FillsItsWidthKeepingTheLowestDigits) {
    const struct { int32_t value; int base, width, zeroFill; const char* text; } cases[] = {
        {42, 10, 4, 0, "  42"},   {42, 10, 4, 1, "0042"},  {-42, 10, 4, 0, " -42"}, {-42, 10, 4, 1, "-042"},
        {12345, 10, 3, 0, "345"}, {-123, 10, 3, 1, "123"}, {0, 10, 3, 0, "  0"},    {-7, 16, 2, 0, " 7"},
        {255, 16, 4, 0, "  FF"},  {7, 10, 0, 0, ""},       {INT32_MIN, 10, 11, 0, "-2147483648"},
        {INT32_MIN, 10, 4, 0, "3648"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value, c.base, c.width, c.zeroFill), c.text) << c.value;
}

TEST(ProgramFolder, IsThePathUpToItsLastSeparatorWithoutALengthLimit) {
    EXPECT_EQ(ProgramFolderOf("/opt/torvanex/torvanex"), "/opt/torvanex/");
    // A backslash in a name does not cut the folder there.
    EXPECT_EQ(ProgramFolderOf("/home/a\\b/games\\x/torvanex"), "/home/a\\b/games\\x/");
    EXPECT_EQ(ProgramFolderOf("/opt/tor\\vanex"), "/opt/");
    EXPECT_EQ(ProgramFolderOf("torvanex"), "");
    EXPECT_EQ(ProgramFolderOf("/" + std::string(400, 'd') + "/torvanex").size(), 402u);
}

class Services : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        CreateDisplay();
    }
};

TEST_F(Services, TheFileLayerRecordsEachFailureUntilItIsRead) {
    EXPECT_EQ(OpenGameFile("/nonexistent-folder-of-torvanex/arial8", platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 3) << "the folder itself is missing";
    const ScratchFolder scratch;
    const std::string path = scratch.path() + "short";
    EXPECT_EQ(OpenGameFile(path, platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 2);
    EXPECT_EQ(TakeLastIoResult(), 0) << "reading the code clears it";
    char buffer[4];
    EXPECT_FALSE(ReadGameFile(nullptr, buffer, 1));
    EXPECT_EQ(TakeLastIoResult(), 103);
    ASSERT_EQ(platform::ReplaceFileAtomically(path, "ab", 2), 0);
    platform::File* f = OpenGameFile(path, platform::FileMode::Read);
    EXPECT_FALSE(ReadGameFile(f, buffer, 4));
    EXPECT_TRUE(CloseGameFile(f));
    EXPECT_EQ(TakeLastIoResult(), 100) << "a file shorter than asked is a short read, kept past a good close";
    hl::InjectFileError("short", hl::FileOp::Open, 5);
    EXPECT_EQ(OpenGameFile(path, platform::FileMode::Read), nullptr);
    EXPECT_EQ(TakeLastIoResult(), 5);
}

TEST_F(Services, CheckIoShowsTheCodeTearsDownAndEndsWithAFailureStatus) {
    EXPECT_EQ(ExitStatusOf([] { CheckIo(); }), -1) << "nothing failed";
    SetLastIoResult(12345);   // five digits show their last four
    EXPECT_EQ(ExitStatusOf([] { CheckIo(); }), 1);
    ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
    const auto& box = hl::Get().messageBoxes[0];
    EXPECT_TRUE(box.text == "File error 2345. Please reinstall Torvanex" && box.caption == "Torvanex" &&
                box.type == platform::kMbIconError) << box.text;
    EXPECT_TRUE(Shell.TornDown);
}

TEST_F(Services, AMessageBoxPutsBackOnlyACursorThatWasDrawn) {
    Cursor.CursorBusy = 0;
    ShowMessage("not drawn", platform::kMbOk);
    EXPECT_EQ(Cursor.CursorDrawn, 0);
    DrawCursor();
    ShowMessage("drawn", platform::kMbOk);
    EXPECT_EQ(Cursor.CursorDrawn, 1);
    EXPECT_FALSE(hl::Get().systemCursorShown) << "the system pointer goes again with the box";
    EXPECT_EQ(hl::Get().messageBoxes.size(), 2u);
}
