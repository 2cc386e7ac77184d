// The options the game takes when started from a terminal or a launcher.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct CommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Play;
    platform::WindowMode windowMode = platform::WindowMode::FullScreen;
    std::string complaint;  // why the line was refused
};

// The arguments after the program's name. The last of --window and
// --fullscreen wins; anything unknown refuses the whole line.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();
std::string VersionText();
// What the process prints and the status it ends with, for every action but Play.
int AnswerCommandLine(const CommandLine& line);
