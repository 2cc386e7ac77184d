// Mode 1's line: started on a block, stretched from block to block by the
// mouse or the keyboard, taken back a step at a time, and the blocks of a
// closed line exploded and scored.
#include "moves/lines.h"

#include <cstring>
#include <initializer_list>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/pieces.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/wait.h"
#include "sound/effects.h"

namespace {

constexpr int64_t kBeforeRemovalMs = 200;
constexpr int64_t kExplosionMs = 80;

// Key codes and the characters that share them.
constexpr uint8_t kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;

constexpr CellPos kNoCell{-1, -1};
constexpr CellPos kCursorHome{6, 6};

// A block's link toward a side: 1 west, 2 north, 4 east, 8 south.
constexpr uint8_t LinkBit(int side) { return static_cast<uint8_t>(1 << side); }
constexpr int Opposite(int direction) { return (direction + 2) % 4; }
constexpr bool IsBlock(uint8_t code) { return (code & kBlock) != 0; }

uint8_t& CellAt(CellPos c) { return Game.Board[CellIndex(c.col, c.row)]; }
bool OnBoard(CellPos c) { return ::OnBoard(c.col, c.row); }
CellPos Next(CellPos c, int direction) { return {c.col + kStepCol[direction], c.row + kStepRow[direction]}; }
bool LineDrawn() { return Game.LineEnd.col > -1; }

// The line's end reached its block from `direction` and nothing else: a step
// that way would run back along the last one.
bool OnlyLinkToward(uint8_t code, int direction) { return code == kBlock + LinkBit(direction); }

// The keyboard's moves and a line's first block redraw single cells without
// waiting for the vertical blank.
void RedrawCells(std::initializer_list<CellPos> cells) {
    EraseCursor();
    for (const CellPos c : cells)
        if (OnBoard(c)) DrawCell(c.col, c.row, PrimarySlot);
    DrawCursor();
}

bool CellUnderPointer(CellPos& cell) {
    const int x = Cursor.CursorX - kBoardLeft, y = Cursor.CursorY - kBoardTop;
    if (x < 0 || y < 0) return false;
    cell = {x / kCellSize, y / kCellSize};
    return OnBoard(cell);
}

// The keyboard cursor hides while a line is drawn.
void StartLine(CellPos block) {
    const CellPos cursorWas = Game.KeyCursor;
    Game.LineEnd = Game.LineStart = block;
    Game.KeyCursor = kNoCell;
    if (cursorWas == block)
        RedrawCells({block});
    else
        RedrawCells({block, cursorWas});
    PlayEffect(effect::kTurnOrStep);
}

// Every joined block explodes in turn, the line goes, and the blocks left
// alone stay.
void RemoveJoinedBlocks() {
    WaitMs(true, kBeforeRemovalMs);
    int joined = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        uint8_t& code = Game.Board[cell];
        if (code == kBlock) continue;
        if (IsBlock(code)) {
            ++joined;
            --Game.PieceCount;
            PlayEffect(effect::kExplosion);
            BeginDrawing();
            CopyPicture(ExplosionPicture(false), CellX(cell % kBoardSize), CellY(cell / kBoardSize), PrimarySlot);
            EndDrawing();
            WaitMs(true, kExplosionMs);
        }
        code = 0;
    }
    Game.Score += 2 * (Game.Speed + joined) + joined - 4;
    Game.KeyCursor = kCursorHome;
    ShowBlocks();
    EraseCursor();
    DrawScore(PrimarySlot);
    DrawBlockGauge(PrimarySlot);
    DrawCursor();
    PlayEffect(effect::kLoopCleared);
}

void DropLine() {
    if (!LineDrawn()) return;
    for (uint8_t& code : Game.Board) code = IsBlock(code) ? kBlock : 0;
    Game.KeyCursor = Game.LineEnd;
    Game.LineEnd = Game.LineStart = kNoCell;
    ShowBlocks();
    PlayEffect(effect::kRefused);
}

void ArrowKey(int direction) {
    if (!LineDrawn()) {
        const CellPos from = Game.KeyCursor, to = Next(from, direction);
        if (!OnBoard(from) || !OnBoard(to)) return;
        Game.KeyCursor = to;
        RedrawCells({from, to});
        return;
    }
    if (OnlyLinkToward(CellAt(Game.LineEnd), direction)) {
        UndoLineStep();
        return;
    }
    for (CellPos c = Next(Game.LineEnd, direction); OnBoard(c); c = Next(c, direction))
        if (IsBlock(CellAt(c))) {
            ExtendLine(c.col, c.row);
            return;
        }
}

void SpaceKey() {
    if (LineDrawn())
        UndoLineStep();
    else if (OnBoard(Game.KeyCursor) && CellAt(Game.KeyCursor) == kBlock)
        StartLine(Game.KeyCursor);
}

}  // namespace

void ClickBlock(int button) {
    if (button != 0) {
        if (LineDrawn()) UndoLineStep();
        return;
    }
    CellPos cell;
    if (!CellUnderPointer(cell) || !IsBlock(CellAt(cell))) return;
    if (!LineDrawn())
        StartLine(cell);
    else if (cell == Game.LineEnd)
        UndoLineStep();
    else
        ExtendLine(cell.col, cell.row);
}

void ExtendLine(int col, int row) {
    const CellPos from = Game.LineEnd, target{col, row};
    if (!LineDrawn() || !OnBoard(target) || target == from || (col != from.col && row != from.row)) return;
    const int direction = col < from.col ? West : col > from.col ? East : row < from.row ? North : South;
    if (OnlyLinkToward(CellAt(from), direction)) return;
    const uint8_t segment = direction == West || direction == East ? kLineHorizontal : kLineVertical;
    uint8_t work[kCells];
    std::memcpy(work, Game.Board, sizeof work);
    for (CellPos at = from; !(at == target);) {
        if (Game.Walls[CellIndex(at.col, at.row) * 4 + direction]) {
            PlayEffect(effect::kRefused);
            return;
        }
        const CellPos next = Next(at, direction);
        const uint8_t code = CellAt(next);
        // Only the first block may be joined twice: that closes the line.
        if (code > kBlock && !(target == Game.LineStart)) return;
        if (IsBlock(code) && !(next == target)) return;
        uint8_t& left = work[CellIndex(at.col, at.row)];
        left = static_cast<uint8_t>(left | (IsBlock(left) ? LinkBit(direction) : segment));
        at = next;
    }
    // The block reached links back along the step: the next take-back walks
    // that link, and a later step may not run back along it.
    uint8_t& reached = work[CellIndex(col, row)];
    reached = static_cast<uint8_t>(reached | LinkBit(Opposite(direction)));
    std::memcpy(Game.Board, work, sizeof work);
    Game.LineEnd = target;
    const bool closed = target == Game.LineStart;
    if (closed) Game.LineEnd = Game.LineStart = kNoCell;
    ShowBlocks();
    PlayEffect(effect::kTurnOrStep);
    if (closed) RemoveJoinedBlocks();
}

void UndoLineStep() {
    if (!LineDrawn()) return;
    const CellPos end = Game.LineEnd;
    if (end == Game.LineStart) {
        Game.KeyCursor = end;
        CellAt(end) = kBlock;
        Game.LineEnd = Game.LineStart = kNoCell;
        RedrawCells({end});
        PlayEffect(effect::kRefused);
        return;
    }
    const uint8_t code = CellAt(end);
    CellAt(end) = kBlock;
    int back = West;
    while (back < South && !(code & LinkBit(back))) ++back;
    const bool vertical = back == North || back == South;
    CellPos at = Next(end, back);
    for (; OnBoard(at) && !IsBlock(CellAt(at)); at = Next(at, back)) {
        uint8_t& c = CellAt(at);
        // A crossing keeps the segment of the other step.
        c = c == kLineCross ? (vertical ? kLineHorizontal : kLineVertical) : 0;
    }
    if (OnBoard(at)) {
        CellAt(at) = static_cast<uint8_t>(CellAt(at) & ~LinkBit(Opposite(back)));
        Game.LineEnd = at;
    }
    ShowBlocks();
    PlayEffect(effect::kRefused);
}

void LineKey(uint8_t code) {
    switch (code) {
        case kLeft: ArrowKey(West); break;
        case kUp: ArrowKey(North); break;
        case kRight: ArrowKey(East); break;
        case kDown: ArrowKey(South); break;
        case kSpace: SpaceKey(); break;
        case kDelete: DropLine(); break;
        default: break;
    }
}
