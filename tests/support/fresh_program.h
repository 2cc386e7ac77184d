// A fresh program on the headless backend for every test.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "shell/shell.h"

class FreshProgram : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The display with its three slots, as start-up makes them.
    void CreateDisplay();
    // Runs main-loop passes until the virtual clock reaches `ms` or the loop quits.
    void RunUntilMs(int64_t ms);
};

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
