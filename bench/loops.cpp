// Times the loop scan of a whole board and the loop walk from every cell, on a
// full board of random pieces.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "board/board_state.h"
#include "board/loops.h"
#include "shell/shell.h"

namespace {

void FillRandomly(std::mt19937& generator) {
    for (uint8_t& code : Game.Board) code = static_cast<uint8_t>(generator() % 7);
}

// The scan ClearLoops makes, without removing what it finds.
int ScanBoard() {
    std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
    Game.LoopCellLast = -1;
    int found = 0;
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const uint8_t code = Game.Board[CellIndex(col, row)];
            if (code >= 1 && code <= 6) found += FindLoopFrom(row, col, false);
        }
    return found;
}

int WalkFromEveryCell() {
    int found = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        std::memset(Game.LoopMarks, 0, sizeof Game.LoopMarks);
        Game.LoopCellLast = -1;
        found += FindLoopFrom(cell / kBoardSize, cell % kBoardSize, false);
    }
    return found;
}

template <typename Work>
double MicrosPerRun(int runs, Work work, long& sink) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) sink += work();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

}  // namespace

int main() {
    ResetProgramState();
    std::mt19937 generator(20240601);
    constexpr int kBoards = 200, kRunsPerBoard = 50;
    double scan = 0, walks = 0;
    long sink = 0;
    for (int b = 0; b < kBoards; ++b) {
        FillRandomly(generator);
        scan += MicrosPerRun(kRunsPerBoard, ScanBoard, sink);
        walks += MicrosPerRun(kRunsPerBoard, WalkFromEveryCell, sink);
    }
    std::printf("full-board loop scan (ClearLoops' search): %.2f us per board\n", scan / kBoards);
    std::printf("FindLoopFrom from each of the 144 cells: %.2f us per board (%.3f us per walk)\n", walks / kBoards,
                walks / kBoards / kCells);
    std::printf("(%ld loops found along the way)\n", sink);
    return 0;
}
