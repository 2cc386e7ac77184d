// The simulator as a harness runs it: a run killed before its end leaves its
// scratch copy of the game behind, and the next run clears it away, while the
// folder of a run still going is left alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch_folder.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Starts the simulator with its temporary folder in `temp`, its output going
// to `output` (or nowhere).
pid_t StartSim(const std::string& temp, std::vector<std::string> args, int output = -1) {
    args.insert(args.begin(), TORVANEX_SIM);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("TMPDIR", temp.c_str(), 1);
        ::dup2(output >= 0 ? output : ::open("/dev/null", O_WRONLY), 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

std::vector<fs::path> SimFolders(const std::string& temp) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(temp))
        if (entry.path().filename().string().rfind("torvanex-sim-", 0) == 0) found.push_back(entry.path());
    return found;
}

void Age(const fs::path& folder) { fs::last_write_time(folder, fs::file_time_type::clock::now() - 1h); }

}  // namespace

TEST(SimScratchFolder, AKilledRunsFolderIsClearedByTheNextRunAndALiveOnesIsKept) {
    const ScratchFolder temp{"torvanex-harness"};
    // A run whose dumps fill a pipe nobody reads: it stays in the middle of
    // its run, its copy of the game made, until it is killed.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t killed = StartSim(temp.path(), std::vector<std::string>(200, "dump"), pipeEnds[1]);
    ::close(pipeEnds[1]);
    ASSERT_GT(killed, 0);
    const auto give_up = std::chrono::steady_clock::now() + 20s;
    while (SimFolders(temp.path()).empty() && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(100ms);
    ::kill(killed, SIGKILL);
    int status = 0;
    ::waitpid(killed, &status, 0);
    ::close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it was killed";
    const std::vector<fs::path> left = SimFolders(temp.path());
    ASSERT_EQ(left.size(), 1u) << "the killed run's copy is still there";
    Age(left[0]);

    // Another run's folder, as old, whose run is still going: it holds the lock.
    const fs::path live = fs::path(temp.path()) / "torvanex-sim-live";
    fs::create_directory(live);
    const int held = ::open(live.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    Age(live);

    const pid_t next = StartSim(temp.path(), {"wait:10"});
    ASSERT_GT(next, 0);
    ::waitpid(next, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(SimFolders(temp.path()), std::vector<fs::path>{live});
    ::close(held);
}
