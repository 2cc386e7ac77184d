// The game's invariants, read from its program-wide state.
#include "invariants.h"

#include <cstdarg>
#include <cstdio>

#include "board/board_state.h"
#include "frontend/front_state.h"
#include "graphics/cursor.h"
#include "moves/moves_state.h"
#include "persist/top_scores.h"

namespace {

constexpr size_t kLongestEntryName = 25;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool ValidScreenState(int state) { return InRange(state, StartScreen, NameEntry) || state == TopScoresScreen || state == FarewellScreen; }

// Mode 1: an empty cell, a line, or a block joined on at most two sides.
bool ValidLinesCell(uint8_t code) {
    if (code & kBlock) {
        const int links = code & 0x7F;
        return links <= 15 && __builtin_popcount(static_cast<unsigned>(links)) <= 2;
    }
    return code == 0 || code == kLineHorizontal || code == kLineVertical || code == kLineCross;
}

bool NoCell(const CellPos& p) { return p.col == -1 && p.row == -1; }

using Report = std::vector<std::string>;

__attribute__((format(printf, 2, 3))) void Broken(Report& out, const char* format, ...) {
    char line[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out.emplace_back(line);
}

void CheckOptions(Report& broken) {
    if (!ValidScreenState(Game.ScreenState)) Broken(broken, "screen state %d", Game.ScreenState);
    if (!InRange(Game.GameMode, 0, 2)) Broken(broken, "game mode %d", Game.GameMode);
    if (!InRange(Game.Level, 0, 1)) Broken(broken, "level %d", Game.Level);
    if (!InRange(Game.SkinIndex, 0, 2)) Broken(broken, "skin %d", Game.SkinIndex);
    if (!InRange(Game.Speed, 0, 9)) Broken(broken, "speed %d", Game.Speed);
    if (!InRange(Game.HoverButton, 0, 13) && Game.HoverButton != kNoButton) Broken(broken, "hover button %d", Game.HoverButton);
    if (Game.Score < 0) Broken(broken, "score %d", Game.Score);
}

// The board of the game last set up. Before the first game it is the blank
// board of the start screen, which belongs to no mode.
void CheckBoard(Report& broken) {
    if (Game.ScreenState == StartScreen) return;
    int pieces = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        const uint8_t code = Game.Board[cell];
        const int col = cell % kBoardSize, row = cell / kBoardSize;
        if (Game.GameMode == 1) {
            if (!ValidLinesCell(code)) Broken(broken, "mode 1 cell (%d,%d) holds %d", col, row, code);
            pieces += (code & kBlock) != 0;
            continue;
        }
        if (code > 6 && code != kEmptyPipeCell) Broken(broken, "mode %d cell (%d,%d) holds %d", Game.GameMode, col, row, code);
        if (Game.LockFlags[cell] > 1) Broken(broken, "lock flag %d at (%d,%d)", Game.LockFlags[cell], col, row);
        if (code == kEmptyPipeCell && Game.LockFlags[cell]) Broken(broken, "empty cell (%d,%d) locked", col, row);
        pieces += code < kEmptyPipeCell;
    }
    if (Game.PieceCount != pieces) Broken(broken, "piece count %d, %d on the board", Game.PieceCount, pieces);
    if (Game.GameMode != 1) return;
    // Every wall stands on both cells it separates; the border has none to pair.
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const uint8_t* w = &Game.Walls[CellIndex(col, row) * 4];
            for (int side = 0; side < 4; ++side)
                if (w[side] > 1) Broken(broken, "wall byte %d at (%d,%d) side %d", w[side], col, row, side);
            if (col + 1 < kBoardSize && w[2] != Game.Walls[CellIndex(col + 1, row) * 4 + 0])
                Broken(broken, "wall between (%d,%d) and its east neighbour on one side only", col, row);
            if (row + 1 < kBoardSize && w[3] != Game.Walls[CellIndex(col, row + 1) * 4 + 1])
                Broken(broken, "wall between (%d,%d) and its south neighbour on one side only", col, row);
        }
    // A line being drawn starts and ends at blocks; no line, no ends.
    const CellPos& start = Game.LineStart;
    const CellPos& end = Game.LineEnd;
    if (NoCell(start) != NoCell(end)) Broken(broken, "line start (%d,%d) but end (%d,%d)", start.col, start.row, end.col, end.row);
    for (const CellPos* p : {&start, &end})
        if (!NoCell(*p) && (!OnBoard(p->col, p->row) || !(Game.Board[CellIndex(p->col, p->row)] & kBlock)))
            Broken(broken, "line end (%d,%d) is no block", p->col, p->row);
    const CellPos& key = Game.KeyCursor;
    if (!NoCell(key) && !OnBoard(key.col, key.row)) Broken(broken, "keyboard cursor at (%d,%d)", key.col, key.row);
}

void CheckScreens(Report& broken) {
    if (Front.HelpPage > 5) Broken(broken, "help page %d", Front.HelpPage);
    if (Game.ScreenState == HelpScreen && !InRange(Front.ReturnState, Playing, GameOver))
        Broken(broken, "help returns to state %d", Front.ReturnState);
    if (!InRange(Front.ScoresViewMode, 0, 2)) Broken(broken, "top scores of mode %d", Front.ScoresViewMode);
    if (Moves.EntryName.size() > kLongestEntryName) Broken(broken, "name of %zu characters", Moves.EntryName.size());
    if (Game.ScreenState == NameEntry && !InRange(Moves.Caret.pos, 0, static_cast<int>(Moves.EntryName.size())))
        Broken(broken, "caret at %d in a name of %zu", Moves.Caret.pos, Moves.EntryName.size());
    for (int table = 0; table < kScoreTables; ++table)
        for (int row = 0; row < kScoreRows; ++row) {
            if (ScoreValue(table, row) < 0) Broken(broken, "score %d in table %d", ScoreValue(table, row), table);
            if (row > 0 && ScoreValue(table, row) > ScoreValue(table, row - 1))
                Broken(broken, "table %d row %d beats the row above it", table, row);
        }
}

// Start-up hands the cursor to the player once: from then on between messages
// it tracks the mouse, is never left busy, and stays hidden on the start screen.
void CheckCursor(Report& broken) {
    if (Cursor.CursorBusy) Broken(broken, "cursor left busy");
    if (!Cursor.CursorTracking) Broken(broken, "cursor not tracking");
    if (!InRange(Cursor.CursorFrame, 0, Cursor.CursorFrameCount - 1))
        Broken(broken, "cursor frame %d of %d", Cursor.CursorFrame, Cursor.CursorFrameCount);
    if (!InRange(Cursor.CursorX, 0, 799) || !InRange(Cursor.CursorY, 0, 599))
        Broken(broken, "cursor at (%d,%d)", Cursor.CursorX, Cursor.CursorY);
    if (Game.ScreenState == StartScreen && Cursor.CursorDrawn) Broken(broken, "cursor drawn on the start screen");
}

}  // namespace

std::vector<std::string> BrokenInvariants() {
    Report broken;
    CheckOptions(broken);
    CheckBoard(broken);
    CheckScreens(broken);
    CheckCursor(broken);
    return broken;
}
