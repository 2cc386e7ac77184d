// Whole games played from scripts of timed input, from the start screen on,
// compared with their expected dumps. A mismatch leaves NAME.actual and
// NAME.bmp (the screen as the run ended) in the test's working folder; with
// TORVANEX_UPDATE_SCENARIOS=1 the expected dumps are written instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "board/board_state.h"
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
        std::string folder = Folder();
        folder.pop_back();
        const SimResult result = RunScript(options, folder);
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

TEST_F(Scenario, ModeZeroFromTheStartScreenToASavedExit) {
    const SimResult run = Play("mode0_game");
    EXPECT_TRUE(run.quit);
    EXPECT_EQ(run.status, 0);
}

TEST_F(Scenario, ATurnThatOnlyTracesThenOneThatClosesALoop) { Play("mode0_loop"); }

TEST_F(Scenario, ModeTwoTurnsSlidesShiftsAndGivesUp) {
    Play("mode2_moves");
    EXPECT_EQ(Game.ScreenState, GameOver);
}

TEST_F(Scenario, TheTopScoreScreensThreeAreas) {
    const SimResult run = Play("top_scores");
    EXPECT_TRUE(run.quit);
}

TEST_F(Scenario, ThePanelStopsTogglesCyclesReskinsAndSwitchesTheMode) {
    Play("panel_buttons");
    EXPECT_EQ(Game.ScreenState, TopScoresScreen);
}

TEST_F(Scenario, LashTilesLinesByMouseAndByKeyboard) {
    Play("mode1_lines");
    EXPECT_EQ(Game.LineStart, (CellPos{7, 6}));
    EXPECT_EQ(Game.KeyCursor, (CellPos{-1, -1})) << "the keyboard cursor hides while a line is drawn";
}

TEST_F(Scenario, ANewTopScoreAsksForANameThatALostDisplayKeeps) {
    Play("name_entry");
    EXPECT_EQ(Game.ScreenState, GameOver);
}

TEST_F(Scenario, TheHelpHoldsTheGameStillWhileItsPagesTurn) {
    Play("help");
    EXPECT_EQ(Game.ScreenState, Playing);
}

}  // namespace
