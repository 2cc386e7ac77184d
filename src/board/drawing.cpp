// Board and panel pictures, copied out of the WorkSlot by the layout of back.wrk
// and the skin.
#include "board/drawing.h"

#include <string>

#include "board/board_state.h"
#include "board/front_end_calls.h"
#include "graphics/cursor.h"
#include "services/number_text.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"

namespace {

constexpr int kPipeRowNormal = 581;
constexpr int kPipeRowLocked = 616;

struct Glyph {
    int left, right;
};
constexpr int kDigitTop = 103, kDigitBottom = 129;
constexpr Glyph kDigits[10] = {{402, 427}, {428, 438}, {439, 459}, {460, 476}, {477, 497},
                               {498, 516}, {517, 538}, {539, 558}, {559, 579}, {580, 601}};
constexpr int kSpeedPanelOffset[10] = {1, 3, 3, 5, 3, 4, 4, 3, 3, 4};

struct Corner {
    int x, y;
};

struct BlockPicture {
    uint8_t code;
    Corner normal;
    Corner lineEnd;   // {-1, -1}: the block looks the same as a line's end
};
constexpr BlockPicture kBlockPictures[] = {
    {0, {36, 541}, {-1, -1}},      {16, {315, 581}, {-1, -1}},    {32, {280, 581}, {-1, -1}},
    {48, {245, 581}, {-1, -1}},    {128, {71, 541}, {560, 616}},  {129, {106, 541}, {246, 541}},
    {130, {141, 541}, {281, 541}}, {131, {456, 541}, {-1, -1}},   {132, {176, 541}, {316, 541}},
    {133, {386, 541}, {-1, -1}},   {134, {491, 541}, {-1, -1}},   {136, {211, 541}, {351, 541}},
    {137, {561, 541}, {-1, -1}},   {138, {421, 541}, {-1, -1}},   {140, {526, 541}, {-1, -1}},
};

// Wall bars by side (west, north, east, south): source rectangle and offset in the cell.
struct WallBar {
    int left, top, right, bottom, dx, dy;
};
constexpr WallBar kWallBars[4] = {
    {527, 618, 528, 648, 0, 2},
    {492, 618, 522, 619, 2, 0},
    {525, 618, 526, 648, 33, 2},
    {492, 616, 522, 617, 2, 33},
};

constexpr Corner kModeTitles[3] = {{15, 156}, {270, 465}, {472, 465}};
constexpr Corner kModeTitlesLit[3] = {{270, 503}, {472, 503}, {420, 651}};

void CopyCell(Corner from, int col, int row, int slot) {
    BlitOpaque(from.x, from.y, from.x + kCellSize - 1, from.y + kCellSize - 1, CellX(col), CellY(row), WorkSlot, slot);
}

const BlockPicture& BlockPictureOf(uint8_t code) {
    for (const BlockPicture& p : kBlockPictures)
        if (p.code == code) return p;
    return kBlockPictures[0];
}

// Panels redraw the cursor only when it was on screen as they began.
struct PanelBracket {
    bool wasDrawn = Cursor.CursorDrawn != 0;
    explicit PanelBracket(bool erase, bool waitForBlank = false) {
        if (!wasDrawn || !erase) return;
        if (waitForBlank) WaitForVerticalBlank();
        EraseCursor();
    }
    ~PanelBracket() {
        if (wasDrawn) DrawCursor();
    }
};

}  // namespace

void BeginDrawing() {
    WaitForVerticalBlank();
    EraseCursor();
}

void EndDrawing() { DrawCursor(); }

void DrawPiece(int picture, int col, int row, int slot) {
    const int top = Game.LockFlags[CellIndex(col, row)] == 1 ? kPipeRowLocked : kPipeRowNormal;
    CopyCell({kCellSize * picture, top}, col, row, slot);
}

void DrawEmptyCell(int col, int row, int slot) { CopyCell({560, kPipeRowNormal}, col, row, slot); }

void DrawCell(int col, int row, int slot) {
    const int cell = CellIndex(col, row);
    const BlockPicture& picture = BlockPictureOf(Game.Board[cell]);
    const bool lineEnd = Game.LineEnd == CellPos{col, row} && picture.lineEnd.x >= 0;
    CopyCell(lineEnd ? picture.lineEnd : picture.normal, col, row, slot);
    const int x = CellX(col), y = CellY(row);
    if (Game.KeyCursor == CellPos{col, row}) BlitKeyed(0, 616, 34, 650, x, y, WorkSlot, slot);
    for (int side = 0; side < 4; ++side) {
        if (!Game.Walls[cell * 4 + side]) continue;
        const WallBar& bar = kWallBars[side];
        BlitOpaque(bar.left, bar.top, bar.right, bar.bottom, x + bar.dx, y + bar.dy, WorkSlot, slot);
    }
}

void DrawAllCells(int slot) {
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) DrawCell(col, row, slot);
}

void DrawBoard(int slot) {
    if (Game.GameMode == 1) {
        DrawAllCells(slot);
        return;
    }
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const uint8_t code = Game.Board[CellIndex(col, row)];
            if (code < 7)
                DrawPiece(code, col, row, slot);
            else
                DrawEmptyCell(col, row, slot);
        }
}

void ShowBlocks() {
    DrawAllCells(ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(90, 122, 509, 541, 90, 122, ComposeSlot, PrimarySlot);
    DrawCursor();
}

void DrawScore(int slot) {
    PanelBracket bracket(false);
    BlitOpaque(337, 144, 465, 171, 639, 137, WorkSlot, slot);
    int64_t value = Game.Score < 0 ? -int64_t{Game.Score} : Game.Score;
    value %= 100000000;   // the score is split into eight digits
    int significant = 0;
    for (int64_t rest = value; rest > 0; rest /= 10) ++significant;
    if (significant > 5) significant = 5;
    int right = 766;
    for (int n = 0; n == 0 || n < significant; ++n) {
        const Glyph& glyph = kDigits[value % 10];
        value /= 10;
        const int width = glyph.right - glyph.left + 1;
        BlitKeyed(glyph.left, kDigitTop, glyph.right, kDigitBottom, right - width + 1, 137, WorkSlot, slot);
        right -= width;
    }
}

void DrawSpeed(int slot) {
    PanelBracket bracket(true);
    BlitOpaque(170, 264, 198, 291, 707, 322, WorkSlot, slot);
    const int speed = Game.Speed < 0 ? 0 : Game.Speed > 9 ? 9 : Game.Speed;
    const Glyph& glyph = kDigits[speed];
    BlitKeyed(glyph.left, kDigitTop, glyph.right, kDigitBottom, 707 + kSpeedPanelOffset[speed], 322, WorkSlot, slot);
    if (Game.Speed == 9 && Game.ScreenState == Playing && Game.HoverButton == kSpeedButton) {
        FrontEnd.DrawButtonNormal(kSpeedButton);
        Game.HoverButton = kNoButton;
    }
}

void DrawLevelGlyph(int slot) {
    PanelBracket bracket(true);
    BlitOpaque(170, 320, 190, 347, 707, 378, WorkSlot, slot);
    if (Game.Level == 0)
        BlitKeyed(602, kDigitTop, 613, kDigitBottom, 711, 378, WorkSlot, slot);
    else
        BlitKeyed(614, kDigitTop, 634, kDigitBottom, 707, 378, WorkSlot, slot);
}

void DrawModeTitle(int slot) {
    PanelBracket bracket(true);
    const int mode = Game.GameMode >= 0 && Game.GameMode <= 2 ? Game.GameMode : 0;
    const Corner from = Game.HoverButton == kModeButton ? kModeTitlesLit[mode] : kModeTitles[mode];
    BlitOpaque(from.x, from.y, from.x + 201, from.y + 37, 552, 214, WorkSlot, slot);
}

void DrawBlockGauge(int slot) {
    LockSlot(WorkSlot);
    const SurfaceSlot& work = Display.Slots[WorkSlot];
    if (work.pixels) FillBox(235, 455, 349, 8, 0, work.pitch, work.pixels);
    UnlockSlot(WorkSlot);
    // One mark per block still allowed, packed to the right of the scratch strip.
    for (int k = 0; k < 40 - Game.PieceCount; ++k) BlitOpaque(416, 219, 422, 226, 576 - 8 * k, 455, WorkSlot, WorkSlot);
    BlitOpaque(235, 447, 583, 454, 125, 108, WorkSlot, slot);
    if (Game.GameMode == 1 && Game.ScreenState != Stopped) BlitKeyed(235, 455, 583, 462, 125, 108, WorkSlot, slot);
}

void DrawGiveUpButton(bool shown, int slot) {
    const int top = shown ? 247 : 294;
    BlitOpaque(680, top, 784, top + 46, 90, 547, WorkSlot, slot);
}

void ClearCounterStrip() {
    PanelBracket bracket(true, true);
    BlitOpaque(0, 651, 419, 685, 90, 77, WorkSlot, PrimarySlot);
}

void DrawPieceCounters() {
    if (Game.GameMode != 2) return;
    int corners = 0, straights = 0, crosses = 0;
    for (const uint8_t code : Game.Board) {
        if (code == 0) ++crosses;
        else if (code <= 2) ++straights;
        else if (code <= 6) ++corners;
    }
    PanelBracket bracket(true, true);
    BlitOpaque(0, 651, 419, 685, 90, 77, WorkSlot, PrimarySlot);
    const int icons[3][2] = {{6, 90}, {2, 195}, {0, 300}};
    for (const auto& icon : icons)
        BlitOpaque(kCellSize * icon[0], kPipeRowNormal, kCellSize * icon[0] + kCellSize - 1, kPipeRowNormal + kCellSize - 1,
                   icon[1], 77, WorkSlot, PrimarySlot);
    LockSlot(PrimarySlot);
    const SurfaceSlot& screen = Display.Slots[PrimarySlot];
    if (screen.pixels) {
        const Font& font = Text.LargeFont;
        const uint16_t countColour = Text.ColourTable[27];
        const auto draw = [&](int x, uint16_t colour, const std::string& text) {
            DrawString(x, 84, screen.pitch, 1, colour, font, screen.pixels, screen.height, text);
        };
        draw(135, countColour, NumberText(corners, 10, 3, 0));
        draw(240, countColour, NumberText(straights, 10, 3, 0));
        draw(345, countColour, NumberText(crosses, 10, 3, 0));
        draw(405, 0xFFFF, "Total: " + NumberText(corners + straights + crosses, 10, 3, 0));
    }
    UnlockSlot(PrimarySlot);
}

void DrawGameOverPicture(int slot) { BlitOpaque(470, 132, 679, 271, 195, 262, WorkSlot, slot); }
