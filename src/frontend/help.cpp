// The help: six pages of text from "help.txt" over a tiled background, with
// pictures of the pieces between the lines and arrows to turn the pages.
#include "frontend/help.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "frontend/front_state.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "services/files.h"
#include "services/messages.h"

namespace {

constexpr const char* kHelpFile = "help.txt";
constexpr int kHelpLineCount = 117;
constexpr size_t kLineCapacity = 90;
constexpr int kLastPage = 5;
constexpr int kTextX = 8, kLineStep = 22, kTextSpacing = 1, kTextColour = 20;

// Runs of consecutive lines drawn one under the other from `top`.
struct LineRun {
    int page, first, count, top;
};
constexpr LineRun kLineRuns[] = {
    {0, 0, 11, 8},    {0, 11, 1, 282},  {0, 12, 1, 354},  {0, 13, 1, 426},   //
    {1, 14, 26, 8},   {2, 40, 26, 8},   {3, 66, 26, 8},                      //
    {4, 92, 10, 8},   {4, 102, 2, 340}, {4, 104, 3, 515},                    //
    {5, 107, 2, 8},   {5, 109, 2, 158}, {5, 111, 5, 320}, {5, 116, 1, 522},  //
};

constexpr Picture kHelpTile = WorkPicture("help_tile");
constexpr Picture kArrow = WorkPicture("help_arrow");
constexpr Picture kNextArrow = WorkPicture("help_next_arrow");
constexpr Picture kPreviousArrow = WorkPicture("help_prev_arrow");
constexpr Picture kLockedVertical = WorkPicture("pipe_locked_1");

// The skin's row of piece pictures read as one strip: 0..6 the normal pieces,
// 7..13 the lit ones, 14 and 15 the crosses lit on one path, 16 the empty cell.
constexpr Picture PieceStrip(int n) {
    constexpr Picture first = WorkPicture("pipe_0");
    const int dx = first.width() * n;
    return {first.left + dx, first.top, first.right + dx, first.bottom};
}
constexpr int kLitInStrip = 7;
constexpr int kEmptyInStrip = 16;
static_assert(PieceStrip(kLitInStrip).left == WorkPicture("pipe_lit_0").left);
static_assert(PieceStrip(14).left == WorkPicture("pipe_lit_14").left);
static_assert(PieceStrip(kEmptyInStrip).left == WorkPicture("empty_cell").left);

constexpr int kPictureX = 232;
constexpr int kNothing = -10;

// How a grid's codes name pictures.
enum class Coding {
    Strip,       // the picture of that number in the strip
    LitOrPlain,  // 0 or more: the lit piece of that kind; below 0: the normal one; -10: nothing
    Numbered,    // the strip's number, with 10 the empty cell, -1 the locked straight, -10 nothing
};
struct Grid {
    int page, top, columns;
    Coding coding;
    std::span<const int> codes;
};
// Grids row by row: closed loops lit among pieces; a loop through a cross, and
// one through three; loops through half-lit crosses; loops of odd shapes;
// shapes that are not loops yet.
constexpr int kRoundLoops[] = {
    11, 12, 11, 12, 2,  4,   //
    10, 7,  7,  7,  9,  12,  //
    11, 13, 8,  10, 12, 14,  //
    10, 9,  13, 1,  10, 13,  //
};
constexpr int kCrossedOnce[] = {
    4,  5, -3,  //
    3,  0, 5,   //
    -4, 3, 6,   //
};
constexpr int kCrossedThrice[] = {
    4,  5, 4, 5, -2,  //
    3,  0, 0, 0, 5,   //
    -5, 3, 6, 3, 6,   //
};
constexpr int kHalfLitCrosses[] = {
    4, 2,  5, -10, 4, 5, -1, -10, -10, -10, -10, -10,  //
    1, -4, 7, -10, 1, 3, 5,  -10, 4,   8,   2,   5,    //
    3, 2,  6, -10, 3, 2, 6,  -10, 3,   2,   2,   6,    //
};
constexpr int kOddShapes[] = {
    4, 5, -1, -5, -10, -10, -10, -10, -10, -4, 4, 5, -5,  //
    7, 3, 2,  5,  -10, 4,   2,   5,   -10, 4,  6, 3, 5,   //
    3, 2, 2,  6,  -10, 3,   2,   6,   -10, 3,  2, 2, 6,   //
};
constexpr int kNotYetLoops[] = {
    4, 10, 10, -10, 4, 3, 5, -10, 4, 2,  5,  //
    3, 6,  4,  -10, 3, 2, 6, -10, 3, -1, 6,  //
};
static_assert(std::size(kRoundLoops) == 4 * 6);
static_assert(std::size(kCrossedOnce) == 3 * 3 && std::size(kCrossedThrice) == 3 * 5);
static_assert(std::size(kHalfLitCrosses) == 3 * 12 && std::size(kOddShapes) == 3 * 13);
static_assert(std::size(kNotYetLoops) == 2 * 11);
constexpr Grid kGrids[] = {
    {0, 456, 6, Coding::Strip, kRoundLoops},
    {4, 228, 3, Coding::LitOrPlain, kCrossedOnce},
    {4, 393, 5, Coding::LitOrPlain, kCrossedThrice},
    {5, 46, 12, Coding::LitOrPlain, kHalfLitCrosses},
    {5, 196, 13, Coding::LitOrPlain, kOddShapes},
    {5, 443, 11, Coding::Numbered, kNotYetLoops},
};

bool PictureFor(Coding coding, int code, Picture& out) {
    if (code == kNothing) return false;
    switch (coding) {
        case Coding::Strip:
            out = PieceStrip(code);
            break;
        case Coding::LitOrPlain:
            out = code >= 0 ? PieceStrip(kLitInStrip + code) : PieceStrip(-code);
            break;
        case Coding::Numbered:
            out = code == 10 ? PieceStrip(kEmptyInStrip) : code == -1 ? kLockedVertical : PieceStrip(code);
            break;
    }
    return true;
}

// The first 90 characters of each of the first 117 lines; lines the file does
// not have stay empty. The file is read a piece at a time and no further than
// its 117th line, so a long line or a long file is never held whole.
std::vector<std::string> ReadHelpLines() {
    std::vector<std::string> lines(kHelpLineCount);
    platform::File* file = OpenGameFile(ProgramFile(kHelpFile), platform::FileMode::Read);
    CheckIo();
    int64_t left = std::max<int64_t>(GameFileSize(file), 0);
    size_t line = 0;
    char chunk[4096];
    while (left > 0 && line < lines.size()) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, sizeof chunk));
        ReadGameFile(file, chunk, n);
        CheckIo();
        left -= static_cast<int64_t>(n);
        // The CR of a CR LF stays at the line's end, where it shows as nothing.
        for (size_t i = 0; i < n && line < lines.size(); ++i) {
            if (chunk[i] == '\n')
                ++line;
            else if (lines[line].size() < kLineCapacity)
                lines[line] += chunk[i];
        }
    }
    CloseGameFile(file);
    TakeLastIoResult();   // everything is read: a failed close changes nothing
    return lines;
}

void DrawIllustrations(int page) {
    if (page == 0) {
        // Each corner with the one a left click turns it into, then the two
        // straights, then the cross.
        for (int i = 0; i < 4; ++i) CopyPicture(PieceStrip(6 - i), kPictureX + 78 * i, 242, ComposeSlot);
        for (int i = 0; i < 3; ++i) PastePicture(kArrow, 280 + 78 * i, 255, ComposeSlot);
        CopyPicture(PieceStrip(2), kPictureX, 314, ComposeSlot);
        CopyPicture(PieceStrip(1), kPictureX + 78, 314, ComposeSlot);
        PastePicture(kArrow, 280, 326, ComposeSlot);
        CopyPicture(PieceStrip(0), kPictureX, 381, ComposeSlot);
    }
    for (const Grid& grid : kGrids) {
        if (grid.page != page) continue;
        for (size_t i = 0; i < grid.codes.size(); ++i) {
            Picture picture;
            const int column = static_cast<int>(i) % grid.columns, row = static_cast<int>(i) / grid.columns;
            if (PictureFor(grid.coding, grid.codes[i], picture))
                CopyPicture(picture, kPictureX + kCellSize * column, grid.top + kCellSize * row, ComposeSlot);
        }
    }
}

}  // namespace

void ShowHelp() {
    Game.ScreenState = HelpScreen;
    const std::vector<std::string> lines = ReadHelpLines();
    const int page = std::min<int>(Front.HelpPage, kLastPage);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) CopyPicture(kHelpTile, kHelpTile.width() * j, kHelpTile.height() * i, ComposeSlot);
    {
        SlotWriter writer(ComposeSlot);
        for (const LineRun& run : kLineRuns)
            if (run.page == page)
                for (int k = 0; k < run.count; ++k)
                    writer.Text(kTextX, run.top + kLineStep * k, kTextSpacing, Text.ColourTable[kTextColour],
                                Text.LargeFont, lines[static_cast<size_t>(run.first + k)]);
    }
    DrawIllustrations(page);
    if (page < kLastPage) CopyPicture(kNextArrow, ComposeSlot);
    if (page > 0) CopyPicture(kPreviousArrow, ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    DrawCursor();
}
