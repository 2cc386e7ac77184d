// The simulator as a harness runs it: a run killed before its end leaves its
// scratch copy of the game behind, and the next run clears it away, while the
// folder of a run still going is left alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch_folder.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Starts the simulator with its temporary folder in `temp`, its output going
// to `output` (or nowhere).
pid_t StartSim(const std::string& temp, const std::vector<std::string>& actions, int output = -1) {
    std::vector<std::string> env = {"TMPDIR=" + temp};
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("TMPDIR=", 0) != 0) env.emplace_back(*e);
    std::vector<std::string> args = {TORVANEX_SIM};
    args.insert(args.end(), actions.begin(), actions.end());
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr), envp.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    if (output >= 0) posix_spawn_file_actions_adddup2(&quiet, output, 1);
    else posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&quiet);
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
