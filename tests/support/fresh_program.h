// A fresh program on the headless backend for every test, its folder the one
// the build writes the game's data files to.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "services/files.h"
#include "shell/shell.h"

class FreshProgram : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        ResetProgramState();
        const char* data = std::getenv("TORVANEX_DATA");
        platform::headless::Get().executablePath = std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/torvanex";
        Files.ProgramFolder = ProgramFolderOf(platform::headless::Get().executablePath);
    }
    void TearDown() override {
        platform::headless::Reset();
        ResetProgramState();
    }
    void CreateDisplay() { ASSERT_TRUE(CreateDisplaySlots()); }   // the three slots, as start-up makes them
    void RunUntilMs(int64_t ms) {   // main-loop passes until the clock reaches `ms` or the loop quits
        while (platform::headless::NowMs() < ms && RunPass() == PassResult::Continue) {
        }
    }
};

// Runs `action` and returns the exit status it ended the process with, or -1.
template <typename F>
int ExitStatusOf(F&& action) {
    try {
        action();
        return -1;
    } catch (const platform::headless::ProcessExit& e) {
        return e.status;
    }
}

// The numbers of the effects played so far, in order.
inline std::vector<int> EffectsHeard() {
    std::vector<int> numbers;
    for (const auto& e : platform::headless::Get().effectsPlayed) numbers.push_back(e.effect);
    return numbers;
}
