// Where the game reads its data and keeps the player's files: a copy that
// carries its data keeps everything beside itself, an installed game reads
// the installed data and saves in the player's own folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "board/board_state.h"
#include "persist/settings.h"
#include "persist/top_scores.h"
#include "services/files.h"
#include "services/folders.h"
#include "support/fresh_program.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

void Touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "x";
}

}  // namespace

TEST(PlayerFolder, FollowsAnAbsoluteDataHomeElseTheHomeFolder) {
    EXPECT_EQ(PlayerFolderOf("/srv/ann/data", "/home/ann"), "/srv/ann/data/torvanex/");
    EXPECT_EQ(PlayerFolderOf("/srv/ann/data/", "/home/ann"), "/srv/ann/data/torvanex/");
    EXPECT_EQ(PlayerFolderOf("", "/home/ann"), "/home/ann/.local/share/torvanex/");
    EXPECT_EQ(PlayerFolderOf("", "/home/ann/"), "/home/ann/.local/share/torvanex/");
    EXPECT_EQ(PlayerFolderOf("data", "/home/ann"), "/home/ann/.local/share/torvanex/")
        << "a relative data home would follow the folder the game was started from";
    EXPECT_EQ(PlayerFolderOf("data", ""), "");
}

class ChoosingFolders : public ::testing::Test {
protected:
    void SetUp() override { ResetFilesState(); }
    void TearDown() override { ResetFilesState(); }
    ScratchFolder root;
    std::string Player() const { return root.path() + "home/ann/.local/share/torvanex"; }
    // The places of an installation under root/usr, the player's folder not yet made.
    FolderPlaces Installed(const std::string& installedData) const {
        return {"../share/games/torvanex", installedData, Player()};
    }
};

TEST_F(ChoosingFolders, ACopyHoldingItsDataKeepsEverythingBesideItself) {
    Touch(root.path() + "copy/back.wrk");
    ChooseFolders(root.path() + "copy/torvanex", Installed("/"));
    EXPECT_EQ(ProgramFile("help.txt"), root.path() + "copy/help.txt");
    EXPECT_EQ(SaveFile("torvanex.rec"), root.path() + "copy/torvanex.rec");
    EXPECT_FALSE(fs::exists(root.path() + "home")) << "no folder is made for the player";
}

// Found beside the program by the installation's own layout, or, moved away
// from its data, at the folder it was installed with.
TEST_F(ChoosingFolders, AnInstalledGameReadsItsDataAndSavesInThePlayersFolder) {
    Touch(root.path() + "usr/share/games/torvanex/back.wrk");
    Touch(root.path() + "elsewhere/games/other");
    const std::string data = root.path() + "usr/share/games/torvanex/";
    for (const std::string& program : {root.path() + "usr/games/torvanex", root.path() + "elsewhere/games/torvanex"}) {
        ChooseFolders(program, Installed(root.path() + "usr/share/games/torvanex"));
        EXPECT_EQ(fs::canonical(fs::path(ProgramFile("back.wrk"))), fs::canonical(data + "back.wrk")) << program;
        EXPECT_EQ(SaveFile("ngame"), Player() + "/ngame") << program;
        EXPECT_TRUE(fs::is_directory(Player())) << "made with its parents on the first start";
        EXPECT_EQ(fs::status(Player()).permissions() & fs::perms::all, fs::perms::owner_all);
    }
}

TEST_F(ChoosingFolders, WithoutDataAnywhereTheProgramFolderServesAsBefore) {
    Touch(root.path() + "bare/torvanex");
    ChooseFolders(root.path() + "bare/torvanex", Installed(root.path() + "missing"));
    EXPECT_EQ(ProgramFile("back.wrk"), root.path() + "bare/back.wrk");
    EXPECT_EQ(SaveFile("level"), root.path() + "bare/level");

    // Installed, with no home to keep the player's files in: they stay with
    // the data, where the game says what it cannot write.
    Touch(root.path() + "usr/share/games/torvanex/back.wrk");
    ChooseFolders(root.path() + "usr/games/torvanex", {"../share/games/torvanex", "", ""});
    EXPECT_EQ(SaveFile("level"), ProgramFile("level"));
}

// The five files go to the save folder and come back from it; the data folder
// receives nothing.
class SavingApart : public FreshProgram {
protected:
    SavingApart() : FreshProgram(false) {}
    ScratchFolder player;
    void UseSaveFolder() { Files.SaveFolder = player.path(); }
};

TEST_F(SavingApart, TheFiveFilesLiveInTheSaveFolderOnly) {
    UseSaveFolder();
    LoadConfig();
    LoadByteSettings();
    LoadTopScores();
    Game.GameMode = 2, Game.Level = 1, Game.SkinIndex = 0;
    InsertTopScore("Ann", INT32_MAX);
    SaveAll();
    EXPECT_TRUE(Names().empty()) << testing::PrintToString(Names());
    for (const char* name : {"torvanex.cfg", "torvanex.rec", "nskin", "ngame", "level"})
        EXPECT_TRUE(fs::is_regular_file(player.path() + name)) << name;

    Restart();
    UseSaveFolder();
    LoadByteSettings();
    LoadTopScores();
    EXPECT_TRUE(Game.GameMode == 2 && Game.Level == 1 && Game.SkinIndex == 0);
    EXPECT_EQ(ScoreName(CurrentScoreTable(), 0), "Ann");
}
