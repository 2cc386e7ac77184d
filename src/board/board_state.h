// The one game in progress: the 12 x 12 board, its per-cell arrays, the game's
// counters and options, the loop scan's working list and the mode-1 line state.
#pragma once

#include <cstdint>

constexpr int kBoardSize = 12;
constexpr int kCells = kBoardSize * kBoardSize;
constexpr int kBoardLeft = 90;
constexpr int kBoardTop = 122;
constexpr int kCellSize = 35;

// Modes 0 and 2: pipe pieces 0..6, and the empty cell.
constexpr uint8_t kEmptyPipeCell = 100;
// Mode 1: blocks and lines.
constexpr uint8_t kLineHorizontal = 16;
constexpr uint8_t kLineVertical = 32;
constexpr uint8_t kLineCross = 48;
constexpr uint8_t kBlock = 128;

// Screen states; the routine that enters a state sets it.
enum ScreenStateCode : uint8_t {
    StartScreen = 0,
    Playing = 1,
    Stopped = 2,
    GameOver = 3,
    HelpScreen = 4,
    NameEntry = 5,
    TopScoresScreen = 7,
    FarewellScreen = 8,
};

// Panel buttons the engine itself un-highlights; 100 is no button.
constexpr int kModeButton = 6;
constexpr int kSpeedButton = 8;
constexpr int kLevelButton = 9;
constexpr int kSkinButton = 11;
constexpr int kGiveUpButton = 13;
constexpr int kNoButton = 100;

struct CellPos {
    int32_t col = 0;
    int32_t row = 0;
    bool operator==(const CellPos&) const = default;
};

// A cell is listed once per loop through it, so a cross in two loops is listed
// twice: a full board can list 288 entries.
constexpr int kLoopListCapacity = 2 * kCells;

struct GameState {
    uint8_t Board[kCells] = {};
    uint8_t LoopMarks[kCells] = {};
    uint8_t LockFlags[kCells] = {};
    uint8_t Walls[kCells * 4] = {};   // (row x 12 + col) x 4 + side: 0 west, 1 north, 2 east, 3 south
    int32_t GameMode = 0;
    int32_t Level = 0;
    int32_t SkinIndex = 1;
    int32_t Speed = 0;
    int32_t Score = 0;
    int32_t PieceCount = 0;
    int32_t SpawnCount = 0;
    int64_t SpawnTimer = 0;
    uint8_t ScreenState = StartScreen;
    int32_t HoverButton = kNoButton;
    uint8_t LoopCellCol[kLoopListCapacity] = {};
    uint8_t LoopCellRow[kLoopListCapacity] = {};
    int32_t LoopCellLast = -1;
    CellPos SpawnCursor{5, 5};
    CellPos SettleCursor{11, 0};
    CellPos LineEnd{-1, -1};
    CellPos LineStart{-1, -1};
    CellPos KeyCursor{6, 6};
};
extern GameState Game;
void ResetGameState();

constexpr int CellIndex(int col, int row) { return row * kBoardSize + col; }
constexpr bool OnBoard(int col, int row) { return col >= 0 && col < kBoardSize && row >= 0 && row < kBoardSize; }
constexpr int CellX(int col) { return kBoardLeft + kCellSize * col; }
constexpr int CellY(int row) { return kBoardTop + kCellSize * row; }

// Modes 0 and 2: a pipe piece stands in the cell (false off the board).
bool HoldsPiece(int col, int row);
// Moves a piece with its lock flag; the cell it leaves is empty and unlocked.
void MovePiece(int fromCol, int fromRow, int toCol, int toRow);
