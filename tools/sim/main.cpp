// torvanex-sim: runs the game's own engine on the headless backend in a scratch
// copy of the program folder and prints text dumps of the board, for checking
// and for reproducing a game from its start time. A tool beside the game; the
// game itself takes no command-line options.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "board/board_state.h"
#include "board/column_shift.h"
#include "board/spawn.h"
#include "graphics/bitmap.h"
#include "services/number_text.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "platform/headless/headless.h"
#include "shell/frame_tick.h"
#include "services/random.h"
#include "shell/shell.h"
#include "services/files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: torvanex-sim [--utc HH:MM:SS.mmm] [--mode M] [--level L] [--speed S] [ACTION ...]\n"
    "actions: ticks:K  shift:left|right  dump\n";

struct Options {
    platform::TimeOfDay utc{};
    int mode = 0;
    int level = 0;
    int speed = 0;
    std::vector<std::string> actions;
};

bool ParseInt(const std::string& text, int low, int high, int& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) return false;
    out = std::atoi(text.c_str());
    return out >= low && out <= high;
}

bool ParseUtc(const std::string& text, platform::TimeOfDay& out) {
    // HH:MM:SS.mmm
    if (text.size() != 12 || text[2] != ':' || text[5] != ':' || text[8] != '.') return false;
    return ParseInt(text.substr(0, 2), 0, 23, out.hour) && ParseInt(text.substr(3, 2), 0, 59, out.minute) &&
           ParseInt(text.substr(6, 2), 0, 59, out.second) && ParseInt(text.substr(9, 3), 0, 999, out.millisecond);
}

std::optional<std::string> CheckAction(const std::string& action) {
    const std::string verb = action.substr(0, action.find(':'));
    int count = 0;
    if (verb == "ticks" && action.size() > 6 && ParseInt(action.substr(6), 0, 100000000, count)) return std::nullopt;
    if (action == "shift:left" || action == "shift:right" || action == "dump") return std::nullopt;
    if (verb == "rotate" || verb == "slide" || verb == "press" || verb == "key")
        return "the action '" + verb + "' is not available yet";
    return "unknown action '" + action + "'";
}

std::optional<Options> ParseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        bool ok = true;
        if (arg == "--utc") ok = hasValue && ParseUtc(argv[++i], options.utc);
        else if (arg == "--mode") ok = hasValue && ParseInt(argv[++i], 0, 2, options.mode);
        else if (arg == "--level") ok = hasValue && ParseInt(argv[++i], 0, 1, options.level);
        else if (arg == "--speed") ok = hasValue && ParseInt(argv[++i], 0, 9, options.speed);
        else if (const auto problem = CheckAction(arg)) {
            std::fprintf(stderr, "torvanex-sim: %s\n%s", problem->c_str(), kUsage);
            return std::nullopt;
        } else options.actions.push_back(arg);
        if (!ok) {
            std::fprintf(stderr, "torvanex-sim: bad value for %s\n%s", arg.c_str(), kUsage);
            return std::nullopt;
        }
    }
    return options;
}

fs::path ExecutableFolder(const char* argv0) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) self = fs::absolute(argv0, error);
    return self.parent_path();
}

bool IsDataFile(const fs::path& file) {
    static const char* const kNames[] = {"back.wrk", "zast.wrk", "rec.wrk", "01.skn", "02.skn", "03.skn",
                                         "arial8",   "times16",  "help.txt", "torvanex.cfg"};
    const std::string name = file.filename().string();
    for (const char* known : kNames)
        if (name == known) return true;
    const std::string ext = file.extension().string();
    return ext == ".wav" || ext == ".mid";
}

// The game writes settings and scores into its folder, so it runs in a copy.
fs::path MakeScratchFolder(const fs::path& dataFolder) {
    std::string pattern = (fs::temp_directory_path() / "torvanex-sim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    const fs::path scratch = pattern;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dataFolder, error))
        if (entry.is_regular_file() && IsDataFile(entry.path()))
            fs::copy_file(entry.path(), scratch / entry.path().filename(), error);
    return scratch;
}

bool InFolder(const std::string& name) { return platform::FileExists(ProgramFile(name)); }

void LoadPictures() {
    if (InFolder("back.wrk")) LoadBitmapFile(0, 0, 0, 0, WorkSlot, "back.wrk");
    const std::string skin = NumberText(Game.SkinIndex + 1, 10, 2, 1) + ".skn";
    if (InFolder(skin)) LoadBitmapFile(0, 0, 0, 541, WorkSlot, skin);
    if (InFolder("arial8") && InFolder("times16")) LoadFonts();
    SampleColourTable();
}

void PrintCells(const char* title, const uint8_t* cells) {
    std::printf("%s:\n", title);
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col)
            std::printf("%d%c", cells[CellIndex(col, row)], col == kBoardSize - 1 ? '\n' : ' ');
}

void Dump() {
    std::printf("seed=%u mode=%d level=%d speed=%d score=%d pieces=%d state=%d\n", Random.LastReseed, Game.GameMode,
                Game.Level, Game.Speed, Game.Score, Game.PieceCount, Game.ScreenState);
    PrintCells("board", Game.Board);
    PrintCells("locks", Game.LockFlags);
    std::printf("walls:\n");
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const uint8_t* w = &Game.Walls[CellIndex(col, row) * 4];
            std::printf("%d%d%d%d%c", w[0], w[1], w[2], w[3], col == kBoardSize - 1 ? '\n' : ' ');
        }
}

// One frame tick as the main loop runs it: 55 ms of credit, then the tick.
void Tick() {
    platform::headless::AdvanceMs(55);
    Game.SpawnTimer += 55;
    FrameTick();
}

void RunAction(const std::string& action) {
    if (action == "dump") {
        Dump();
    } else if (action.rfind("ticks:", 0) == 0) {
        const int count = std::atoi(action.c_str() + 6);
        for (int i = 0; i < count; ++i) Tick();
    } else if (action.rfind("shift:", 0) == 0) {
        // The arrows shift columns only while a mode-2 game is being played.
        if (Game.GameMode == 2 && Game.ScreenState == Playing)
            ShiftColumns(action == "shift:right" ? kRightArrowKey : kLeftArrowKey);
    }
}

int Run(const Options& options, const fs::path& scratch) {
    platform::headless::Reset();
    platform::headless::Get().startOfDay = options.utc;
    ResetProgramState();
    Files.ProgramFolder = scratch.string() + "/";
    if (!CreateDisplaySlots()) {
        std::fprintf(stderr, "torvanex-sim: the display could not be set up\n");
        return 1;
    }
    LoadPictures();
    Game.GameMode = options.mode;
    Game.Level = options.level;
    Game.Speed = options.speed;
    StartGame();
    for (const std::string& action : options.actions) RunAction(action);
    Dump();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseArguments(argc, argv);
    if (!options) return 2;
    const fs::path scratch = MakeScratchFolder(ExecutableFolder(argv[0]));
    if (scratch.empty()) {
        std::fprintf(stderr, "torvanex-sim: no scratch folder could be made\n");
        return 1;
    }
    int status;
    try {
        status = Run(*options, scratch);
    } catch (const platform::headless::ProcessExit& exit) {
        std::fflush(stdout);
        for (const auto& box : platform::headless::Get().messageBoxes)
            std::fprintf(stderr, "torvanex-sim: message box: %s\n", box.text.c_str());
        std::fprintf(stderr, "torvanex-sim: the game ended with status %d\n", exit.status);
        status = exit.status == 0 ? 1 : exit.status;
    }
    std::error_code error;
    fs::remove_all(scratch, error);
    return status;
}
