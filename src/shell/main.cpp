// The process entry: the options, then the game.
#include "shell/command_line.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (line.action != CommandLine::Action::Play) return AnswerCommandLine(line);
    platform::SetWindowMode(line.windowMode);
    return RunProgram();
}
