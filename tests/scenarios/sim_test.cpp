// torvanex-sim end to end: the same start time gives the same game, every time.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct SimRun {
    int status = -1;
    std::string out;
};

// The simulator is built beside the data the tests get in TORVANEX_DATA.
std::string SimPath() {
    const char* data = std::getenv("TORVANEX_DATA");
    if (!data) return {};
    const std::string path = std::string(data) + "/torvanex-sim";
    return std::filesystem::exists(path) ? path : std::string{};
}

SimRun RunSim(const std::string& arguments) {
    SimRun run;
    FILE* pipe = popen((SimPath() + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), got);
    run.status = WEXITSTATUS(pclose(pipe));
    return run;
}

class SimTest : public ::testing::Test {
public:
    void SetUp() override {
        if (SimPath().empty()) GTEST_SKIP() << "torvanex-sim is not built beside TORVANEX_DATA";
    }
};

TEST_F(SimTest, TheSameStartTimeGivesTheSameGameEveryTime) {
    for (const char* mode : {"0", "1", "2"}) {
        const std::string args = std::string("--utc 12:34:56.789 --mode ") + mode + " --level 1 ticks:400 dump shift:left";
        const SimRun first = RunSim(args), second = RunSim(args);
        ASSERT_EQ(first.status, 0) << args;
        EXPECT_EQ(first.out, second.out) << args;
        EXPECT_EQ(first.out.rfind("seed=45296789 mode=", 0), 0u) << first.out.substr(0, 80);
    }
    EXPECT_NE(RunSim("--utc 12:34:56.789").out, RunSim("--utc 12:34:56.790").out);
}

TEST_F(SimTest, DumpHasTheFixedLayout) {
    const SimRun run = RunSim("--utc 00:00:01.000 --mode 1 --level 1");
    ASSERT_EQ(run.status, 0);
    // A header, three titles and 36 rows of 12 entries.
    int lines = 0;
    for (const char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 1 + 3 + 36);
    EXPECT_NE(run.out.find("\nboard:\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nlocks:\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nwalls:\n"), std::string::npos);
    EXPECT_NE(run.out.find("state=1"), std::string::npos);
}

TEST_F(SimTest, ActionsOfLaterWorkAndBadArgumentsAreRefused) {
    for (const char* args : {"rotate:1,2,left", "slide:1,2,3", "press:1,1,left", "key:F1", "jump", "--mode 3", "--utc 25:00:00.000"})
        EXPECT_EQ(RunSim(args).status, 2) << args;
}

}  // namespace
