// A fresh program on the headless backend for every test, in a program folder
// of its own: the generated data files are linked in, and whatever the game
// writes (settings, scores) stays in the test's folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "services/files.h"
#include "shell/shell.h"
#include "support/scratch_folder.h"

class FreshProgram : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The display with its three slots, as start-up makes them.
    void CreateDisplay();
    // Runs main-loop passes until the virtual clock reaches `ms` or the loop quits.
    void RunUntilMs(int64_t ms);
    // The program folder, ending with '/'.
    const std::string& Folder() const { return folder_->path(); }

private:
    std::unique_ptr<ScratchFolder> folder_;
};

// The folder the build writes the game's data files into.
std::string DataFolder();

// Runs `action` and returns the exit status it ended the process with, or -1.
template <typename F>
int ExitStatusOf(F&& action) {
    try {
        action();
    } catch (const platform::headless::ProcessExit& e) {
        return e.status;
    }
    return -1;
}

// The numbers of the effects played so far, in order.
inline std::vector<int> EffectsHeard() {
    std::vector<int> numbers;
    for (const auto& e : platform::headless::Get().effectsPlayed) numbers.push_back(e.effect);
    return numbers;
}
