// Scripted runs of the whole game on the headless backend: a script is a list
// of actions that become timed window messages, played into the game from its
// start-up on the virtual clock, with text dumps of the board and of what the
// game played and saved. torvanex-sim and the scenario tests share it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

// A window message given as it is, at a time of the virtual clock; or, with
// `loseDisplay`, the display lost at that time.
struct TimedInput {
    int64_t atMs = 0;
    platform::Message message;
    bool loseDisplay = false;
};

struct SimOptions {
    platform::TimeOfDay utc{};
    int mode = -1;    // written to "ngame" before start-up; -1 leaves the file alone
    int level = -1;   // written to "level"
    int speed = -1;   // set once start-up is over, as the speed button would
    std::vector<std::string> actions;
    // Messages played besides those of the actions, in time order (the game
    // fuzzer's and the soak's).
    std::vector<TimedInput> input;
    // Called after every pass of the main loop once start-up is over: after
    // every message the game handled and every frame tick.
    std::function<void()> afterPass;
};

// Adds one argument (an option with its value, or an action) to `options`;
// `next` is the argument after it, consumed by options that take a value.
// Returns the problem when the argument is wrong.
std::optional<std::string> AddArgument(const std::string& arg, const std::string* next, bool& usedNext,
                                       SimOptions& options);
// Reads a script: one argument a line, as on the command line; '#' starts a comment.
std::optional<std::string> ReadScript(const std::string& path, SimOptions& options);

struct SimResult {
    int status = 0;         // 0, or the status the game ended with
    bool quit = false;      // the game closed itself
    std::string output;     // every dump, in order
};
// Runs the game in `folder` (which holds its data files and receives its
// settings and scores). The program state is left as the run ended, so a
// caller can look at it.
SimResult RunScript(const SimOptions& options, const std::string& folder);
// The visible screen as a 24-bit bitmap file.
bool WriteScreenshot(const std::string& path);

extern const char* const kSimUsage;
