// Board and panel pictures, copied out of the WorkSlot by the atlas of back.wrk
// and the skin.
#include "board/drawing.h"

#include <array>
#include <string>

#include "board/board_state.h"
#include "board/front_end_calls.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "services/number_text.h"

namespace {

constexpr std::array<Picture, 16> kPipes = {
    WorkPicture("pipe_0"),      WorkPicture("pipe_1"),      WorkPicture("pipe_2"),      WorkPicture("pipe_3"),
    WorkPicture("pipe_4"),      WorkPicture("pipe_5"),      WorkPicture("pipe_6"),      WorkPicture("pipe_lit_0"),
    WorkPicture("pipe_lit_1"),  WorkPicture("pipe_lit_2"),  WorkPicture("pipe_lit_3"),  WorkPicture("pipe_lit_4"),
    WorkPicture("pipe_lit_5"),  WorkPicture("pipe_lit_6"),  WorkPicture("pipe_lit_14"), WorkPicture("pipe_lit_15"),
};
// The locked pictures lie one row of cells below the normal ones.
constexpr int kLockedRowOffset = WorkPicture("pipe_locked_1").top - WorkPicture("pipe_1").top;
constexpr Picture kEmptyCell = WorkPicture("empty_cell");
constexpr Picture kKeyCursorFrame = WorkPicture("kbd_cursor_frame");

constexpr std::array<Picture, 10> kDigits = {
    WorkPicture("digit_0"), WorkPicture("digit_1"), WorkPicture("digit_2"), WorkPicture("digit_3"),
    WorkPicture("digit_4"), WorkPicture("digit_5"), WorkPicture("digit_6"), WorkPicture("digit_7"),
    WorkPicture("digit_8"), WorkPicture("digit_9"),
};
// Where each digit sits in the speed panel, right of the panel's left edge.
constexpr int kSpeedPanelOffset[10] = {1, 3, 3, 5, 3, 4, 4, 3, 3, 4};
constexpr int kScoreRightEdge = 766;
constexpr int kMaxScoreDigits = 5;

constexpr Picture kScorePanel = WorkPicture("score_panel_bg");
constexpr Picture kSpeedPanel = WorkPicture("speed_panel_bg");
constexpr Picture kLevelPanel = WorkPicture("level_glyph_bg");
constexpr Picture kLevelGlyphs[2] = {WorkPicture("level_glyph_0"), WorkPicture("level_glyph_1")};
constexpr Picture kModeTitles[3] = {WorkPicture("mode_title_0"), WorkPicture("mode_title_1"),
                                    WorkPicture("mode_title_2")};
constexpr Picture kModeTitlesLit[3] = {WorkPicture("mode_title_0_hl"), WorkPicture("mode_title_1_hl"),
                                       WorkPicture("mode_title_2_hl")};
constexpr Picture kGaugeMark = WorkPicture("gauge_mark");
constexpr Picture kGaugeBackground = WorkPicture("gauge_bg");
constexpr Picture kGaugeScratch = WorkPicture("gauge_scratch");
constexpr Picture kGiveUp = WorkPicture("button_giveup");
constexpr Picture kGiveUpBlank = WorkPicture("giveup_blank");
constexpr Picture kCounterStrip = WorkPicture("counter_strip");
constexpr Picture kGameOver = WorkPicture("game_over");

struct BlockPicture {
    uint8_t code;
    Picture normal;
    Picture lineEnd;   // the same as normal where the block looks no different as a line's end
};
constexpr BlockPicture kBlockPictures[] = {
    {0, WorkPicture("mode1_empty"), WorkPicture("mode1_empty")},
    {16, WorkPicture("mode1_line_h"), WorkPicture("mode1_line_h")},
    {32, WorkPicture("mode1_line_v"), WorkPicture("mode1_line_v")},
    {48, WorkPicture("mode1_line_cross"), WorkPicture("mode1_line_cross")},
    {128, WorkPicture("mode1_block_128"), WorkPicture("mode1_block_128_end")},
    {129, WorkPicture("mode1_block_129"), WorkPicture("mode1_block_129_end")},
    {130, WorkPicture("mode1_block_130"), WorkPicture("mode1_block_130_end")},
    {131, WorkPicture("mode1_block_131"), WorkPicture("mode1_block_131")},
    {132, WorkPicture("mode1_block_132"), WorkPicture("mode1_block_132_end")},
    {133, WorkPicture("mode1_block_133"), WorkPicture("mode1_block_133")},
    {134, WorkPicture("mode1_block_134"), WorkPicture("mode1_block_134")},
    {136, WorkPicture("mode1_block_136"), WorkPicture("mode1_block_136_end")},
    {137, WorkPicture("mode1_block_137"), WorkPicture("mode1_block_137")},
    {138, WorkPicture("mode1_block_138"), WorkPicture("mode1_block_138")},
    {140, WorkPicture("mode1_block_140"), WorkPicture("mode1_block_140")},
};

// Wall bars by side (west, north, east, south), and where each lies in its cell.
struct WallBar {
    Picture picture;
    int dx, dy;
};
constexpr WallBar kWallBars[4] = {
    {WorkPicture("wall_west"), 0, 2},
    {WorkPicture("wall_north"), 2, 0},
    {WorkPicture("wall_east"), 33, 2},
    {WorkPicture("wall_south"), 2, 33},
};

// The mode-2 counters: the icon of each kind on the strip, its count beside it.
constexpr int kCounterY = 84;

void CopyCell(const Picture& from, int col, int row, int slot) { CopyPicture(from, CellX(col), CellY(row), slot); }

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
    Picture from = kPipes[static_cast<size_t>(picture) & 15];
    if (Game.LockFlags[CellIndex(col, row)] == 1) {
        from.top += kLockedRowOffset;
        from.bottom += kLockedRowOffset;
    }
    CopyCell(from, col, row, slot);
}

void DrawEmptyCell(int col, int row, int slot) { CopyCell(kEmptyCell, col, row, slot); }

void DrawCell(int col, int row, int slot) {
    const int cell = CellIndex(col, row);
    const BlockPicture& picture = BlockPictureOf(Game.Board[cell]);
    CopyCell(Game.LineEnd == CellPos{col, row} ? picture.lineEnd : picture.normal, col, row, slot);
    const int x = CellX(col), y = CellY(row);
    if (Game.KeyCursor == CellPos{col, row}) PastePicture(kKeyCursorFrame, x, y, slot);
    for (int side = 0; side < 4; ++side)
        if (Game.Walls[cell * 4 + side])
            CopyPicture(kWallBars[side].picture, x + kWallBars[side].dx, y + kWallBars[side].dy, slot);
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
    BlitOpaque(kBoardLeft, kBoardTop, kBoardLeft + kBoardSize * kCellSize - 1, kBoardTop + kBoardSize * kCellSize - 1,
               kBoardLeft, kBoardTop, ComposeSlot, PrimarySlot);
    DrawCursor();
}

void DrawScore(int slot) {
    PanelBracket bracket(false);
    CopyPicture(kScorePanel, slot);
    int64_t value = Game.Score < 0 ? -int64_t{Game.Score} : Game.Score;
    value %= 100000000;   // the score is split into eight digits
    int significant = 0;
    for (int64_t rest = value; rest > 0; rest /= 10) ++significant;
    if (significant > kMaxScoreDigits) significant = kMaxScoreDigits;
    int right = kScoreRightEdge;
    for (int n = 0; n == 0 || n < significant; ++n) {
        const Picture& glyph = kDigits[value % 10];
        value /= 10;
        PastePicture(glyph, right - glyph.width() + 1, kScorePanel.destY, slot);
        right -= glyph.width();
    }
}

void DrawSpeed(int slot) {
    PanelBracket bracket(true);
    CopyPicture(kSpeedPanel, slot);
    const int speed = Game.Speed < 0 ? 0 : Game.Speed > 9 ? 9 : Game.Speed;
    PastePicture(kDigits[speed], kSpeedPanel.destX + kSpeedPanelOffset[speed], kSpeedPanel.destY, slot);
    if (Game.Speed == 9 && Game.ScreenState == Playing && Game.HoverButton == kSpeedButton) {
        FrontEnd.DrawButtonNormal(kSpeedButton);
        Game.HoverButton = kNoButton;
    }
}

void DrawLevelGlyph(int slot) {
    PanelBracket bracket(true);
    CopyPicture(kLevelPanel, slot);
    PastePicture(kLevelGlyphs[Game.Level == 0 ? 0 : 1], slot);
}

void DrawModeTitle(int slot) {
    PanelBracket bracket(true);
    const int mode = Game.GameMode >= 0 && Game.GameMode <= 2 ? Game.GameMode : 0;
    CopyPicture(Game.HoverButton == kModeButton ? kModeTitlesLit[mode] : kModeTitles[mode], slot);
}

void DrawBlockGauge(int slot) {
    LockSlot(WorkSlot);
    const SurfaceSlot& work = Display.Slots[WorkSlot];
    if (work.pixels)
        FillBox(kGaugeScratch.left, kGaugeScratch.top, kGaugeScratch.width(), kGaugeScratch.height(), 0, work.pitch,
                work.pixels);
    UnlockSlot(WorkSlot);
    // One mark per block still allowed, packed to the right of the scratch strip.
    for (int k = 0; k < 40 - Game.PieceCount; ++k)
        CopyPicture(kGaugeMark, kGaugeScratch.right - 7 - 8 * k, kGaugeScratch.top, WorkSlot);
    CopyPicture(kGaugeBackground, slot);
    if (Game.GameMode == 1 && Game.ScreenState != Stopped) {
        const Picture& s = kGaugeScratch;
        BlitKeyed(s.left, s.top, s.right, s.bottom, kGaugeBackground.destX, kGaugeBackground.destY, WorkSlot, slot);
    }
}

void DrawGiveUpButton(bool shown, int slot) { CopyPicture(shown ? kGiveUp : kGiveUpBlank, slot); }

void ClearCounterStrip() {
    PanelBracket bracket(true, true);
    CopyPicture(kCounterStrip, PrimarySlot);
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
    CopyPicture(kCounterStrip, PrimarySlot);
    const int stripX = kCounterStrip.destX, stripY = kCounterStrip.destY;
    const int icons[3][2] = {{6, stripX}, {2, stripX + 105}, {0, stripX + 210}};
    for (const auto& icon : icons) CopyPicture(kPipes[icon[0]], icon[1], stripY, PrimarySlot);
    LockSlot(PrimarySlot);
    const SurfaceSlot& screen = Display.Slots[PrimarySlot];
    if (screen.pixels) {
        const Font& font = Text.LargeFont;
        const uint16_t countColour = Text.ColourTable[27];
        const auto draw = [&](int x, uint16_t colour, const std::string& text) {
            DrawString(x, kCounterY, screen.pitch, 1, colour, font, screen.pixels, screen.height, text);
        };
        draw(stripX + 45, countColour, NumberText(corners, 10, 3, 0));
        draw(stripX + 150, countColour, NumberText(straights, 10, 3, 0));
        draw(stripX + 255, countColour, NumberText(crosses, 10, 3, 0));
        draw(stripX + 315, 0xFFFF, "Total: " + NumberText(corners + straights + crosses, 10, 3, 0));
    }
    UnlockSlot(PrimarySlot);
}

void DrawGameOverPicture(int slot) { CopyPicture(kGameOver, slot); }

const Picture& ExplosionPicture(bool locked) {
    static constexpr Picture kExplosions[2][3] = {
        {WorkPicture("explosion_skin01"), WorkPicture("explosion_skin02"), WorkPicture("explosion_skin03")},
        {WorkPicture("explosion_locked_skin01"), WorkPicture("explosion_locked_skin02"),
         WorkPicture("explosion_locked_skin03")},
    };
    const int skin = Game.SkinIndex >= 0 && Game.SkinIndex <= 2 ? Game.SkinIndex : 0;
    return kExplosions[locked ? 1 : 0][skin];
}
