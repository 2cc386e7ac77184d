// Options as a Linux program takes them. None of them is saved: the settings
// files keep the format the game has always written.
#include "shell/command_line.h"

#include <cstdio>

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool help = false, version = false;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") help = true;
        else if (argument == "--version") version = true;
        else if (argument == "--window") line.windowMode = platform::WindowMode::Windowed;
        else if (argument == "--fullscreen") line.windowMode = platform::WindowMode::FullScreen;
        else {
            line.action = CommandLine::Action::Refuse;
            line.complaint = (argument.size() > 1 && argument[0] == '-' ? "unknown option " : "unexpected argument ") +
                             ("'" + argument + "'");
            return line;
        }
    }
    if (help) line.action = CommandLine::Action::ShowHelp;
    else if (version) line.action = CommandLine::Action::ShowVersion;
    return line;
}

std::string UsageText() {
    return "Usage: torvanex [--window | --fullscreen]\n"
           "       torvanex --help | --version\n"
           "Turn pipe pieces to close loops, or join blocks with lines, against a rising pace.\n"
           "\n"
           "  --window      play in a window: 800x600 scaled by the largest whole factor that fits\n"
           "  --fullscreen  play on the whole screen (the default)\n"
           "  --help        show this text\n"
           "  --version     show the version\n"
           "\n"
           "Alt+Enter switches between the whole screen and a window while playing.\n";
}

std::string VersionText() { return "Torvanex " TORVANEX_VERSION "\n"; }

int AnswerCommandLine(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::ShowHelp: std::fputs(UsageText().c_str(), stdout); return 0;
        case CommandLine::Action::ShowVersion: std::fputs(VersionText().c_str(), stdout); return 0;
        case CommandLine::Action::Refuse:
            std::fprintf(stderr, "torvanex: %s\n%s", line.complaint.c_str(), UsageText().c_str());
            return 2;
        case CommandLine::Action::Play: break;
    }
    return 0;
}
