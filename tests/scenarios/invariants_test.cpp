// The invariants the game fuzzer and the soak check: each kind of damage to
// the state is seen. That they hold through every scenario, after every
// message, the scenario runs check.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "graphics/cursor.h"
#include "invariants.h"
#include "script.h"
#include "support/fresh_program.h"

namespace {

class Invariants : public FreshProgram {};

// A game of each vocabulary under way, then one piece of damage at a time.
TEST_F(Invariants, EachKindOfDamageIsSeen) {
    struct Damage {
        int mode;
        const char* what;
        std::function<void()> apply;
    };
    const auto emptyCell = [] {
        for (int cell = 0; cell < kCells; ++cell)
            if (Game.Board[cell] == kEmptyPipeCell) return cell;
        return 0;
    };
    const Damage damages[] = {
        {0, "pipe code 7", [] { Game.Board[CellIndex(5, 5)] = 7; }},
        {0, "a lock on an empty cell", [&] { Game.LockFlags[emptyCell()] = 1; }},
        {0, "a piece uncounted", [] { --Game.PieceCount; }},
        {0, "a negative score", [] { Game.Score = -1; }},
        {0, "screen state 6", [] { Game.ScreenState = 6; }},
        {0, "a busy cursor", [] { Cursor.CursorBusy = 1; }},
        {0, "speed 10", [] { Game.Speed = 10; }},
        {1, "a block joined on three sides", [] { Game.Board[CellIndex(0, 0)] = kBlock | 7; }},
        {1, "a pipe code in mode 1", [] { Game.Board[CellIndex(0, 0)] = 3; }},
        {1, "a wall on one side only", [] { Game.Walls[CellIndex(3, 3) * 4 + 2] ^= 1; }},
        {1, "a line ending off a block", [] {
             Game.LineStart = Game.LineEnd = {0, 0};
             Game.Board[0] = 0;
         }},
    };
    for (int mode : {0, 1}) {
        Restart();
        SimOptions options;
        options.mode = mode;
        options.level = 1;
        options.actions = {"wait:4000", "key:Space", "wait:1500"};
        RunScript(options, Folder().substr(0, Folder().size() - 1));
        ASSERT_EQ(Game.ScreenState, Playing);
        ASSERT_EQ(BrokenInvariants(), std::vector<std::string>{});
        const GameState game = Game;
        const CursorState cursor = Cursor;
        for (const Damage& damage : damages) {
            if (damage.mode != mode) continue;
            damage.apply();
            EXPECT_NE(BrokenInvariants(), std::vector<std::string>{}) << damage.what;
            Game = game;
            Cursor = cursor;
        }
    }
}

}  // namespace
