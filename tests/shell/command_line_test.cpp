// The options: what each line asks for, and the lines that are refused.
#include <gtest/gtest.h>

#include "shell/command_line.h"

using Action = CommandLine::Action;
using platform::WindowMode;

TEST(CommandLine, TheLastWindowChoiceWinsAndHelpOrVersionPlaysNothing) {
    const struct { std::vector<std::string> arguments; Action action; WindowMode mode; } cases[] = {
        {{}, Action::Play, WindowMode::FullScreen},
        {{"--window"}, Action::Play, WindowMode::Windowed},
        {{"--window", "--fullscreen"}, Action::Play, WindowMode::FullScreen},
        {{"--fullscreen", "--window", "--window"}, Action::Play, WindowMode::Windowed},
        {{"--window", "--help"}, Action::ShowHelp, WindowMode::Windowed},
        {{"--version", "-h"}, Action::ShowHelp, WindowMode::FullScreen},
        {{"--version"}, Action::ShowVersion, WindowMode::FullScreen},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(line.windowMode, c.mode) << testing::PrintToString(c.arguments);
    }
    for (const char* option : {"--help", "--version"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(AnswerCommandLine(ParseCommandLine({option})), 0) << option;
        EXPECT_NE(testing::internal::GetCapturedStdout(), "") << option;
    }
}

// Near misses are refused rather than guessed at, even beside --help, and the
// complaint names the argument.
TEST(CommandLine, AnythingUnknownIsAUsageErrorWithStatusTwo) {
    const std::vector<std::vector<std::string>> refused = {
        {"--windowed"}, {"-w"}, {"--window=1"}, {"--help", "--fulscreen"}, {"--Window"},
        {"savegame"},   {"-"},  {""},           {"--"},
    };
    for (const auto& arguments : refused) {
        const CommandLine line = ParseCommandLine(arguments);
        EXPECT_EQ(line.action, Action::Refuse) << testing::PrintToString(arguments);
        EXPECT_NE(line.complaint.find("'" + arguments.back() + "'"), std::string::npos) << line.complaint;
        testing::internal::CaptureStderr();
        EXPECT_EQ(AnswerCommandLine(line), 2);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Usage: torvanex"), std::string::npos) << said;
    }
}
