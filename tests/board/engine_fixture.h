// The board engine on a fresh program: the surface slots, a patterned WorkSlot, an empty board, a game in play.
#pragma once

#include <cstring>
#include <initializer_list>
#include <vector>

#include "board/board_state.h"
#include "board/front_end_calls.h"
#include "sound/effects.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

class EngineTest : public FreshProgram {
public:
    void SetUp() override {
        FreshProgram::SetUp();
        // The engine on its own: its calls into the front end do nothing.
        ConnectFrontEnd({});
        CreateDisplay();
        PaintWorkPattern();
        EmptyBoard();
        Game.ScreenState = Playing;
    }
    static void EmptyBoard() {
        std::memset(Game.Board, kEmptyPipeCell, sizeof Game.Board);
        std::memset(Game.LockFlags, 0, sizeof Game.LockFlags);
        Game.PieceCount = 0;
    }
    struct Placed { int col, row; uint8_t code; };
    static void Place(std::initializer_list<Placed> pieces) {   // keeps PieceCount right
        for (const Placed& p : pieces) {
            Game.PieceCount += Game.Board[CellIndex(p.col, p.row)] >= kEmptyPipeCell;
            Game.Board[CellIndex(p.col, p.row)] = p.code;
        }
    }
    static uint8_t At(int col, int row) { return Game.Board[CellIndex(col, row)]; }
    // The codes (or lock flags) of the cells, to compare whole.
    static std::vector<int> Codes(std::initializer_list<CellPos> cells, const uint8_t* of = Game.Board) {
        std::vector<int> codes;
        for (const CellPos& c : cells) codes.push_back(of[CellIndex(c.col, c.row)]);
        return codes;
    }
    static void HearEffects() { ASSERT_TRUE(InitSound()); }   // with the generated effect files
};
