// Games start here, pieces and blocks arrive here, and games end here. Every
// random draw is made in a fixed order, so one seed always gives one board.
#include "board/spawn.h"

#include <cstring>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/front_end_calls.h"
#include "board/game_end.h"
#include "board/loops.h"
#include "board/pieces.h"
#include "board/spiral.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "services/random.h"
#include "sound/effects.h"

namespace {

constexpr int kMaxSpeed = 9;
constexpr int kBlockLimit = 40;
constexpr int kSetUpLockLimit = 10;
constexpr int kParityPicks = 1000;

bool OnEdge(int col, int row) { return col == 0 || col == 11 || row == 0 || row == 11; }
bool IsCorner(int col, int row) { return (col == 0 || col == 11) && (row == 0 || row == 11); }
bool CrossOrStraightAt(int col, int row) { return Game.Board[CellIndex(col, row)] < 3; }

void EmptyPipeBoard() {
    std::memset(Game.Board, kEmptyPipeCell, sizeof Game.Board);
    std::memset(Game.LockFlags, 0, sizeof Game.LockFlags);
}

void RaiseSpeed(int threshold) {
    if (Game.SpawnCount != threshold || Game.Speed >= kMaxSpeed) return;
    Game.SpawnCount = 0;
    ++Game.Speed;
    PlayEffect(effect::kSpeedChanged);
    EraseCursor();
    DrawSpeed(PrimarySlot);
    if (Game.Speed == kMaxSpeed && Game.HoverButton == kSpeedButton) {
        FrontEnd.DrawButtonNormal(kSpeedButton);
        Game.HoverButton = kNoButton;
    }
    DrawCursor();
}

void ClearLoopsUntilNone() {
    while (ClearLoops(false)) {
    }
}

// An odd number of crosses and straights can never all be cleared, so one of
// them becomes a corner. False when the search gave up.
bool MendParity() {
    int count = 0;
    for (const uint8_t code : Game.Board) count += code < 3 ? 1 : 0;
    if (count % 2 == 0) return true;
    for (int picks = 0;; ++picks) {
        const int row = static_cast<int>(RandomBelow(12));
        const int col = static_cast<int>(RandomBelow(12));
        if (picks >= kParityPicks) return false;
        const int cell = CellIndex(col, row);
        if (Game.Board[cell] < 3) {
            Game.Board[cell] = static_cast<uint8_t>(3 + RandomBelow(4));
            DrawPiece(Game.Board[cell], col, row, PrimarySlot);
            return true;
        }
    }
}

// One pass over the fill area; false when the parity search gave up.
bool FillPass(int first, int last, int& lockedPlaced) {
    BeginDrawing();
    for (int row = first; row <= last; ++row)
        for (int col = first; col <= last; ++col) {
            const int cell = CellIndex(col, row);
            if (Game.Board[cell] < kEmptyPipeCell) continue;
            uint8_t kind;
            if (Game.GameMode == 0) {
                kind = static_cast<uint8_t>(RandomBelow(7));
                Game.Board[cell] = kind;
                Game.LockFlags[cell] = 0;
                ++Game.PieceCount;
                if (Game.Level == 1 && kind != 0 && RandomBelow(30) == 0) Game.LockFlags[cell] = 1;
            } else {
                kind = ChoosePiece(col, row, LockDraw::SetUp, lockedPlaced);
                lockedPlaced += Game.LockFlags[cell];
            }
            DrawPiece(kind, col, row, PrimarySlot);
        }
    const bool parityKept = Game.GameMode != 2 || MendParity();
    EndDrawing();
    return parityKept;
}

void PlaceWall() {
    int col, row, side;
    do {
        col = 1 + static_cast<int>(RandomBelow(10));
        row = 1 + static_cast<int>(RandomBelow(10));
        side = static_cast<int>(RandomBelow(4));
    } while (Game.Walls[CellIndex(col, row) * 4 + side]);
    Game.Walls[CellIndex(col, row) * 4 + side] = 1;
    const int facing = (side + 2) % 4;
    const int neighbour = CellIndex(col + kStepCol[side], row + kStepRow[side]);
    Game.Walls[neighbour * 4 + facing] = 1;
}

// Draws cells until an empty one comes up (line cells are not empty) and puts a block there.
CellPos PlaceBlockAtRandom() {
    CellPos cell;
    do {
        cell.col = static_cast<int>(RandomBelow(12));
        cell.row = static_cast<int>(RandomBelow(12));
    } while (Game.Board[CellIndex(cell.col, cell.row)] != 0);
    Game.Board[CellIndex(cell.col, cell.row)] = kBlock;
    ++Game.PieceCount;
    return cell;
}

void SpawnBlock() {
    if (Game.PieceCount >= kBlockLimit || NoEmptyCell()) {
        EndGame();
        return;
    }
    const CellPos cell = PlaceBlockAtRandom();
    ++Game.SpawnCount;
    BeginDrawing();
    DrawCell(cell.col, cell.row, PrimarySlot);
    DrawBlockGauge(PrimarySlot);
    EndDrawing();
    PlayEffect(effect::kPieceArrives);
    RaiseSpeed(50);
}

void SpawnPiece() {
    if (Game.PieceCount >= kCells) {
        EndGame();
        return;
    }
    Game.SpawnCursor = {5, 5};
    int walked = 0;
    while (Game.Board[CellIndex(Game.SpawnCursor.col, Game.SpawnCursor.row)] < kEmptyPipeCell) {
        // PieceCount said there is room; a board that disagrees is full all the same.
        if (++walked == kCells) {
            EndGame();
            return;
        }
        NextSpawnCell(Game.SpawnCursor);
    }
    const int col = Game.SpawnCursor.col, row = Game.SpawnCursor.row;
    const uint8_t kind = ChoosePiece(col, row, LockDraw::Spawner, 0);
    ++Game.SpawnCount;
    BeginDrawing();
    DrawPiece(kind, col, row, PrimarySlot);
    EndDrawing();
    PlayEffect(effect::kPieceArrives);
    RaiseSpeed(100);
    // A cross can close two loops at once, so only a full scan will do.
    if (kind == 0) {
        ClearLoopsUntilNone();
        return;
    }
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    Game.LoopCellLast = -1;
    if (FindLoopFrom(row, col, false)) ClearLoopsUntilNone();
}

}  // namespace

uint8_t ChoosePiece(int col, int row, LockDraw draw, int lockedPlaced) {
    uint32_t kind = RandomBelow(7);
    if (OnEdge(col, row) && kind < 3) kind = RandomBelow(7);
    if (kind < 3 && ((col == 0 && CrossOrStraightAt(1, row)) || (col == 11 && CrossOrStraightAt(10, row)) ||
                     (row == 0 && CrossOrStraightAt(col, 1)) || (row == 11 && CrossOrStraightAt(col, 10))))
        kind = RandomBelow(7);
    if (IsCorner(col, row) && kind < 3) kind = 3 + RandomBelow(4);
    const int cell = CellIndex(col, row);
    Game.LockFlags[cell] = 0;
    bool locked = false;
    if (Game.Level == 1) {
        if (draw == LockDraw::Spawner)
            locked = RandomBelow(30) == 0;
        else
            locked = lockedPlaced < kSetUpLockLimit && RandomBelow(20) == 0;
    }
    if (locked) {
        if (kind == 0) kind = 1 + RandomBelow(6);
        // The edge draw is made even in a corner, where the corner's own kind wins.
        if (col == 0) {
            kind = EdgeKind(WestEdge, RandomBelow(3));
            if (row == 0) kind = 4;
            if (row == 11) kind = 3;
        }
        if (col == 11) {
            kind = EdgeKind(EastEdge, RandomBelow(3));
            if (row == 0) kind = 5;
            if (row == 11) kind = 6;
        }
        if (row == 0 && col > 0 && col < 11) kind = EdgeKind(NorthEdge, RandomBelow(3));
        if (row == 11 && col > 0 && col < 11) kind = EdgeKind(SouthEdge, RandomBelow(3));
        Game.LockFlags[cell] = 1;
    }
    Game.Board[cell] = static_cast<uint8_t>(kind);
    ++Game.PieceCount;
    return static_cast<uint8_t>(kind);
}

void StartGame() {
    EmptyPipeBoard();
    Game.PieceCount = 0;
    Game.Score = 0;
    Game.SpawnCount = 0;
    if (Game.GameMode == 1) {
        std::memset(Game.Board, 0, sizeof Game.Board);
        Game.LineEnd = {-1, -1};
        Game.LineStart = {-1, -1};
        Game.KeyCursor = {6, 6};
    }
    FrontEnd.ShowGameScreen();
    SetUpBoard();
}

void SetUpBoard() {
    Game.ScreenState = Playing;
    ReseedRandom();
    if (Game.GameMode == 1) {
        SetUpBlocks();
        return;
    }
    EmptyPipeBoard();
    Game.PieceCount = 0;
    Game.Score = 0;
    const int first = Game.GameMode == 0 ? 3 : 0;
    const int last = Game.GameMode == 0 ? 8 : 11;
    BeginDrawing();
    DrawBoard(PrimarySlot);
    DrawScore(PrimarySlot);
    EndDrawing();
    int lockedPlaced = 0;
    PlayEffect(effect::kNewBoard);
    for (;;) {
        if (!FillPass(first, last, lockedPlaced)) break;
        bool changed = false;
        while (ClearLoops(false)) changed = true;
        if (!changed) break;
    }
    DrawPieceCounters();
    Game.SpawnCount = 0;
    Game.SpawnTimer = 0;
}

void SetUpBlocks() {
    std::memset(Game.Board, 0, sizeof Game.Board);
    Game.LineEnd = {-1, -1};
    Game.LineStart = {-1, -1};
    Game.KeyCursor = {6, 6};
    Game.PieceCount = 0;
    Game.Score = 0;
    Game.SpawnCount = 0;
    std::memset(Game.Walls, 0, sizeof Game.Walls);
    if (Game.Level == 1)
        for (int w = 0; w < 4; ++w) PlaceWall();
    for (int b = 0; b < 15; ++b) PlaceBlockAtRandom();
    BeginDrawing();
    DrawAllCells(PrimarySlot);
    DrawScore(PrimarySlot);
    DrawBlockGauge(PrimarySlot);
    EndDrawing();
    PlayEffect(effect::kNewBoard);
    Game.SpawnTimer = 0;
}

void SpawnStep() {
    if (Game.GameMode == 1)
        SpawnBlock();
    else if (Game.GameMode == 0)
        SpawnPiece();
}

bool NoEmptyCell() {
    for (const uint8_t code : Game.Board)
        if (code == 0) return false;
    return true;
}
