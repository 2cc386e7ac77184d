// Saving at the end of a run: what SaveAll writes, that it writes once, and
// that a save cut off at any step leaves every file old or new, never a mix.
#include <grp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>

#include "board/board_state.h"
#include "persist/persist_fixture.h"
#include "persist/settings.h"
#include "persist/top_scores.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace hl = platform::headless;
namespace fs = std::filesystem;

const std::vector<std::string> kSavedNames = {"level", "ngame", "nskin", "torvanex.cfg", "torvanex.rec"};

class SaveTest : public PersistTest {
protected:
    // Files of an earlier run (everything off, skin 0, scores as stored) and a
    // run that switched music on, changed every byte setting and entered a score.
    void PlayARun() {
        for (const auto& name : Names()) Remove(name);
        Restart();
        Write("torvanex.cfg", oldConfig);
        for (const char* name : {"nskin", "ngame", "level"}) Write(name, std::string(1, '\0'));
        Write("torvanex.rec", oldScores);
        LoadConfig();
        LoadByteSettings();
        LoadTopScores();
        Music.MusicOn = 1;
        Game.SkinIndex = 2, Game.GameMode = 1, Game.Level = 1;
        InsertTopScore("Ada", INT32_MAX);   // beats any stored score but the same
    }
    std::vector<std::string> Saved() const {
        std::vector<std::string> bytes;
        for (const auto& name : kSavedNames) bytes.push_back(Read(name));
        return bytes;
    }
    const std::string oldConfig = ConfigFile('0', '0');
    const std::string oldScores = std::string(750, '\x5a');
};

TEST_F(SaveTest, SaveAllWritesEveryOptionAndAnEnteredScoreOncePerRun) {
    Write("torvanex.rec", oldScores);
    LoadTopScores();
    ShortenScoreName(0, 0, 1);
    SaveAll();
    EXPECT_EQ(Read("torvanex.rec"), oldScores) << "a shortened name alone is not saved";

    PlayARun();
    SaveAll();
    const std::vector<std::string> saved = Saved();
    EXPECT_EQ(saved, (std::vector<std::string>{"\x01", "\x01", "\x02", ConfigFile('0', '1'), saved[4]}))
        << "the configuration in four lines, each ended by CR LF";
    EXPECT_EQ(ScoreName(3, 0), "Ada") << "the tables stay readable after the save";
    Sound.SoundOn = 1, Game.SkinIndex = 0;
    InsertTopScore("Later", 9999);
    SaveAll();
    EXPECT_EQ(Saved(), saved) << "saved once per run";
    Restart();
    LoadTopScores();
    EXPECT_TRUE(ScoreName(3, 0) == "Ada" && ScoreValue(3, 0) == INT32_MAX);
}

// Every step of every file's replacement fails in turn. The failing file keeps
// its old bytes, those written before it are new, those after it old, and no
// temporary is ever left.
TEST_F(SaveTest, SaveCutOffAtEveryStep) {
    const std::vector<std::string> order = {"torvanex.rec", "torvanex.cfg", "nskin", "ngame", "level"};
    PlayARun();
    SaveAll();
    std::map<std::string, std::string> fresh;
    for (const auto& name : order) fresh[name] = Read(name);
    const hl::FileOp steps[] = {hl::FileOp::Create, hl::FileOp::Write, hl::FileOp::Close, hl::FileOp::Rename};
    for (size_t failing = 0; failing < order.size(); ++failing) {
        for (hl::FileOp step : steps) {
            SCOPED_TRACE(order[failing] + " step " + std::to_string(static_cast<int>(step)));
            PlayARun();
            hl::InjectFileError(order[failing], step, 112);
            const bool quiet = order[failing] == "torvanex.cfg";
            EXPECT_EQ(ExitStatusOf([] { SaveAll(); }), quiet ? -1 : 1);
            if (quiet) EXPECT_TRUE(hl::Get().messageBoxes.empty());
            else ExpectOneMessage(FileError(" 112"));
            for (size_t i = 0; i < order.size(); ++i) {
                const std::string old = i == 0 ? oldScores : i == 1 ? oldConfig : std::string(1, '\0');
                EXPECT_EQ(Read(order[i]), i < failing ? fresh[order[i]] : old) << order[i];
            }
            EXPECT_EQ(Names(), kSavedNames);
        }
    }
}

// Code 5 stands for a folder that takes no new file: the file is written in place.
TEST_F(SaveTest, FolderWithoutNewFilesIsWrittenInPlace) {
    Write("nskin", std::string("\x01\x01\x01", 3));
    Write("ngame", std::string(1, '\0'));
    Game.SkinIndex = 2, Game.GameMode = 1;
    hl::InjectFileError("nskin", hl::FileOp::Create, 5);
    hl::InjectFileError("ngame", hl::FileOp::Rename, 5);
    hl::InjectFileError("level", hl::FileOp::Create, 5);
    EXPECT_EQ(ExitStatusOf([] { SaveAll(); }), 1) << "no \"level\" to write in place";
    ExpectOneMessage(FileError("   5"));
    EXPECT_EQ(Read("nskin"), "\x02") << "overwritten and cut to its new size";
    EXPECT_EQ(Read("ngame"), "\x01");
    EXPECT_EQ(Names(), (std::vector<std::string>{"ngame", "nskin", "torvanex.cfg"}));
}

TEST_F(SaveTest, LinkedFilesAreReplacedAtTheirTarget) {
    fs::create_directory(Folder() + "store");
    Write("store/skin", "x");
    fs::permissions(Folder() + "store/skin", fs::perms(0640));
    fs::create_symlink("store/skin", Folder() + "nskin");
    fs::create_symlink(Folder() + "store/mode", Folder() + "ngame");  // dangling, absolute
    Game.SkinIndex = 2, Game.GameMode = 1;
    SaveAll();
    EXPECT_EQ(fs::read_symlink(Folder() + "nskin"), "store/skin");
    EXPECT_EQ(Read("store/skin"), "\x02");
    EXPECT_EQ(fs::status(Folder() + "store/skin").permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(Folder() + "ngame"));
    EXPECT_EQ(Read("store/mode"), "\x01");
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder() + "store"), {}), 2);
}

// Replaces `path` with the byte 2 in a child process that cannot write where
// the permission bits forbid it, and returns the result; 200 when root could
// not be given up, 201 when the folder still takes new files.
int ReplaceWithoutPrivileges(const std::string& folder, const std::string& name) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(200);
        if (mkdir((folder + "probe").c_str(), 0700) == 0) _exit(201);
        _exit(platform::ReplaceFileAtomically(folder + name, "\x02", 1));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The real file system: a folder of mode 0555 with a writable and a read-only
// file. Root writes anywhere, so the save runs as "nobody" then.
TEST_F(SaveTest, ReadOnlyFolderOnTheDisk) {
    Write("nskin", "\x01");
    Write("ngame", "\x01");
    fs::permissions(Folder() + "nskin", fs::perms(0666));
    fs::permissions(Folder() + "ngame", fs::perms(0444));
    fs::permissions(Folder(), fs::perms(0555));
    const int writable = ReplaceWithoutPrivileges(Folder(), "nskin");
    const int readOnly = ReplaceWithoutPrivileges(Folder(), "ngame");
    fs::permissions(Folder(), fs::perms(0755));
    if (writable == 200 || writable == 201) GTEST_SKIP() << "permissions do not bite here (" << writable << ")";
    EXPECT_EQ(writable, 0);
    EXPECT_EQ(Read("nskin"), "\x02") << "written in place";
    EXPECT_EQ(readOnly, 5);
    EXPECT_EQ(Read("ngame"), "\x01");
    EXPECT_EQ(Names(), (std::vector<std::string>{"ngame", "nskin"}));
}

// The power failing, or the game killed, in the middle of the save: a child
// process saves and a timer kills it with SIGKILL at a random moment of the
// save, a thousand times. Every file must be whole, old or new; a killed save
// may leave its temporary beside them, nothing else.
TEST_F(SaveTest, SaveKilledAtRandomMomentsLeavesEveryFileOldOrNew) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "file contents after a kill: the sanitizers add nothing here but minutes of forks";
#endif
    PlayARun();
    const std::vector<std::string> old = Saved();
    SaveAll();
    const std::vector<std::string> fresh = Saved();
    // The kills fall over the whole of a typical save: half again its median time.
    std::vector<int64_t> times;
    for (int i = 0; i < 9; ++i) {
        PlayARun();
        const auto from = std::chrono::steady_clock::now();
        SaveAll();
        times.push_back(std::chrono::nanoseconds(std::chrono::steady_clock::now() - from).count());
    }
    std::nth_element(times.begin(), times.begin() + 4, times.end());
    const int64_t saveNanos = times[4] * 3 / 2;
    std::mt19937 random(20261208);
    int between = 0, torn = 0;
    constexpr int kRuns = 1000;
    for (int run = 0; run < kRuns; ++run) {
        PlayARun();
        const int64_t delay = std::uniform_int_distribution<int64_t>(0, saveNanos)(random);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            prctl(PR_SET_TIMERSLACK, 1);
            sigevent event{};
            event.sigev_notify = SIGEV_SIGNAL;
            event.sigev_signo = SIGKILL;
            timer_t timer;
            itimerspec when{};
            when.it_value = {static_cast<time_t>(delay / 1000000000), static_cast<long>(delay % 1000000000 + 1)};
            if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0 || timer_settime(timer, 0, &when, nullptr) != 0)
                _exit(3);
            SaveAll();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) ? WTERMSIG(status) == SIGKILL : WEXITSTATUS(status) == 0) << status;
        // Each file holds its old bytes or its new ones, never anything else.
        const std::vector<std::string> now = Saved();
        size_t newFiles = 0;
        for (size_t i = 0; i < now.size(); ++i)
            newFiles += now[i] == fresh[i], torn += now[i] != old[i] && now[i] != fresh[i];
        between += newFiles > 0 && newFiles < now.size();
    }
    EXPECT_EQ(torn, 0);
    EXPECT_GT(between, 0) << "no kill fell inside the save (kills within " << saveNanos / 1000 << " us)";

    // A killed run's temporary goes with the next whole save; one of a run
    // still saving stays.
    PlayARun();
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const std::string killedTemporary = "torvanex.rec." + std::to_string(ended) + ".tmp";
    const std::string liveTemporary = "nskin." + std::to_string(getppid()) + ".tmp";
    Write(killedTemporary, "torn");
    Write(liveTemporary, "saving");
    SaveAll();
    const auto names = Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), killedTemporary), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), liveTemporary), 1);
}
