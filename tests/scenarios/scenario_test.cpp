// Whole games played from scripts of timed input, from the start screen on,
// compared with their expected dumps, the invariants the game fuzzer and the
// soak check holding after every message. A mismatch leaves NAME.actual and
// NAME.bmp (the screen as the run ended) in the test's working folder; with
// TORVANEX_UPDATE_SCENARIOS=1 the expected dumps are written instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "invariants.h"
#include "script.h"
#include "support/fresh_program.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Scenario : public FreshProgram {
protected:
    SimResult Play(const std::string& name) {
        const std::string base = std::string(TORVANEX_SCENARIOS) + "/" + name;
        SimOptions options;
        if (auto problem = ReadScript(base + ".script", options)) {
            ADD_FAILURE() << *problem;
            return {};
        }
        std::vector<std::string> broken;
        int passes = 0;
        options.afterPass = [&] {
            if (++passes, broken.empty()) broken = BrokenInvariants();
        };
        std::string folder = Folder();
        folder.pop_back();
        const SimResult result = RunScript(options, folder);
        EXPECT_GT(passes, 50) << "invariants checked from the start screen on";
        EXPECT_EQ(broken, std::vector<std::string>{}) << "the first pass that broke an invariant";
        if (std::getenv("TORVANEX_UPDATE_SCENARIOS")) {
            std::ofstream(base + ".expected") << result.output;
            return result;
        }
        if (result.output != ReadText(base + ".expected")) {
            std::ofstream(name + ".actual") << result.output;
            WriteScreenshot(name + ".bmp");
            ADD_FAILURE() << name << ": the run differs from " << base << ".expected; see " << name
                          << ".actual and " << name << ".bmp";
        }
        return result;
    }
};

// Every dump ends with the state the script left the game in; the scripts
// that leave through the farewell must also have ended the game with success.
struct Script {
    const char* name;
    bool quits;
    friend void PrintTo(const Script& script, std::ostream* out) { *out << script.name; }
};
class EveryScript : public Scenario, public testing::WithParamInterface<Script> {};

TEST_P(EveryScript, PlaysAsItsDumpSays) {
    const SimResult run = Play(GetParam().name);
    EXPECT_TRUE(run.quit == GetParam().quits && run.status == 0);
}

INSTANTIATE_TEST_SUITE_P(Scenario, EveryScript,
                         testing::Values(Script{"mode0_game", true}, Script{"top_scores", true},
                                         Script{"mode0_loop", false}, Script{"mode2_moves", false},
                                         Script{"panel_buttons", false}, Script{"name_entry", false},
                                         Script{"help", false}),
                         [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

TEST_F(Scenario, LashTilesLinesByMouseAndByKeyboard) {
    Play("mode1_lines");
    EXPECT_EQ(Game.LineStart, (CellPos{7, 6}));
    EXPECT_EQ(Game.KeyCursor, (CellPos{-1, -1})) << "the keyboard cursor hides while a line is drawn";
}

}  // namespace
