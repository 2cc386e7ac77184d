// The screens other than the board and the help: each is composed in the
// ComposeSlot and shown in one copy, with the cursor taken off around it.
#include "frontend/screens.h"

#include <string>
#include <string_view>

#include "board/board_state.h"
#include "board/drawing.h"
#include "frontend/front_state.h"
#include "frontend/panel.h"
#include "frontend/title_layout.h"
#include "graphics/atlas.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "graphics/wait.h"
#include "persist/top_scores.h"
#include "services/number_text.h"
#include "sound/effects.h"

namespace {

constexpr int64_t kTitlePauseMs = 500;

// Entries of the colour table the screens write in.
constexpr int kHeadingColour = 23;
constexpr int kNoticeColour = 28;
constexpr int kScoresTitleColour = 22;
constexpr int kHelpTextColour = 20;

constexpr Picture kTopBar = WorkPicture("top_bar");
constexpr Picture kRightColumn = WorkPicture("right_column");
constexpr Picture kPanelHead = WorkPicture("panel_head");
constexpr Picture kHomeBar = WorkPicture("button_home");
constexpr Picture kHomeBarLit = WorkPicture("button_home_hl");
constexpr Picture kTitleKeyed1 = WorkPicture("title_keyed_1");
constexpr Picture kTitleKeyed2 = WorkPicture("title_keyed_2");
constexpr Picture kScoresPatch = WorkPicture("scores_anim_patch");
constexpr Picture kHelpTile = WorkPicture("help_tile");
constexpr ScreenArea kNextModeBox = AreaOf("rec_next_mode_box");

const char* const kModeTitles[3] = {"Twist Conduits", "Lash Tiles", "Conduit Sage"};

// Our own words for the start screen: three lines of at most 37 characters
// and one of at most 28.
constexpr std::string_view kNotices[3] = {
    "Torvanex " TORVANEX_VERSION ": turn pipes, close loops",
    "Free software under the MIT licence.",
    "Press any key or click to start.",
};
constexpr std::string_view kCornerNotice = "F1 help, Esc top scores";
static_assert(kNotices[0].size() <= 37 && kNotices[1].size() <= 37 && kNotices[2].size() <= 37);
static_assert(kCornerNotice.size() <= 28);

uint16_t Colour(int entry) { return Text.ColourTable[entry]; }

Picture ScoresFrame(int f) {
    constexpr int kFirstRowLeft = WorkPicture("scores_anim_frame_0").left;
    constexpr int kPitch = WorkPicture("scores_anim_frame_1").left - kFirstRowLeft;
    constexpr int kSecondRowTop = WorkPicture("scores_anim_frame_12").top;
    Picture p = WorkPicture("scores_anim_frame_0");
    const int dx = kPitch * (f % 12), dy = (kSecondRowTop - p.top) * (f / 12);
    return {p.left + dx, p.top + dy, p.right + dx, p.bottom + dy, p.destX, p.destY};
}

Picture FarewellFrame(int k) {
    Picture p = WorkPicture("farewell_frame_0");
    const int dx = p.width() * (k % 5), dy = p.height() * (k / 5);
    return {p.left + dx, p.top + dy, p.right + dx, p.bottom + dy, p.destX, p.destY};
}

void TileHelpBackground(int slot) {
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) CopyPicture(kHelpTile, kHelpTile.width() * j, kHelpTile.height() * i, slot);
}

// The farewell's words, centred in a bevelled panel over the tiled background.
struct FarewellLine {
    int y;
    bool large;
    const char* text;
};
constexpr FarewellLine kFarewell[] = {
    {92, true, "Thank you for playing Torvanex!"},
    {132, false, "Torvanex " TORVANEX_VERSION},
    {152, false, "A puzzle of pipes, blocks and lines for one player."},
    {182, false, "Game, pictures, sounds and music:"},
    {200, false, "the Torvanex developers."},
    {230, false, "Free software under the MIT licence:"},
    {248, false, "play it, share it, change it."},
    {278, false, "Your settings and top scores are saved."},
    {318, true, "Press any key or click to leave."},
};
constexpr int kFarewellPanelX = 150, kFarewellPanelY = 40, kFarewellPanelW = 500, kFarewellPanelH = 310;

}  // namespace

void TitleAnimation(int slot) {
    {
        SlotWriter writer(slot);
        writer.Text(620, 100, 1, Colour(kHeadingColour), Text.LargeFont, "Top Scores");
    }
    const bool onScreen = slot == PrimarySlot;
    if (onScreen) WaitMs(true, kTitlePauseMs);
    bool firstGroup = true;
    for (const TitleGroup& group : kTitleGroups) {
        for (const TitlePlace& place : group.places) {
            if (onScreen) WaitForVerticalBlank();
            BlitOpaque(group.left, group.top, group.right, group.bottom, place.x, place.y, WorkSlot, slot);
            PlayEffectPaced(firstGroup ? effect::kTitleFirstGroup : effect::kTitlePiece, slot);
        }
        firstGroup = false;
    }
    PastePicture(kTitleKeyed1, slot);
    PlayEffectPaced(effect::kTitlePiece, slot);
    PastePicture(kTitleKeyed2, slot);
}

void ComposeStartScreen() {
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "zast.wrk");
    SlotWriter writer(ComposeSlot);
    for (int i = 0; i < 3; ++i)
        writer.Text(8, 554 + 13 * i, 1, Colour(kNoticeColour), Text.SmallFont, kNotices[i]);
    writer.Text(620, 580, 1, Colour(kNoticeColour), Text.SmallFont, kCornerNotice);
}

void ShowStartScreen() {
    ComposeStartScreen();
    TitleAnimation(ComposeSlot);
    WaitForVerticalBlank();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
}

void ShowGameScreen() {
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "zast.wrk");
    TitleAnimation(ComposeSlot);
    CopyPicture(kTopBar, ComposeSlot);
    CopyPicture(kRightColumn, ComposeSlot);
    CopyPicture(kPanelHead, ComposeSlot);
    DrawLevelGlyph(ComposeSlot);
    DrawSpeed(ComposeSlot);
    DrawScore(ComposeSlot);
    DrawModeTitle(ComposeSlot);
    DrawBoard(ComposeSlot);
    if (Game.ScreenState == GameOver) DrawGameOverPicture(ComposeSlot);
    const ScreenArea home = PanelButtonArea(kHomeButton);
    const bool onHomeBar = PointerIn(static_cast<uint16_t>(home.x), static_cast<uint16_t>(home.y),
                                     static_cast<uint16_t>(home.w), static_cast<uint16_t>(home.h));
    CopyPicture(onHomeBar ? kHomeBarLit : kHomeBar, ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    if (Game.GameMode == 2) {
        DrawGiveUpButton(true, PrimarySlot);
        DrawPieceCounters();
    }
    DrawCursor();
    Front.InputEvent = MouseMove;
    Game.HoverButton = kNoButton;
    PanelInput();
}

void ShowTopScores() {
    Game.ScreenState = TopScoresScreen;
    Front.ScoresAnimFrame = 0;
    LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "rec.wrk");
    {
        SlotWriter writer(ComposeSlot);
        writer.Text(625, 36, 1, Colour(kHeadingColour), Text.LargeFont, "Top Scores");
        writer.Bevel(kNextModeBox.x, kNextModeBox.y, kNextModeBox.w, kNextModeBox.h, 29, 30, 29);
        writer.Text(688, 291, 0, 0, Text.SmallFont, "Click to view");
        writer.Text(679, 305, 0, 0, Text.SmallFont, "next game scores");
        const int mode = Front.ScoresViewMode >= 0 && Front.ScoresViewMode <= 2 ? Front.ScoresViewMode : 0;
        writer.Text(637, 60, 1, Colour(kScoresTitleColour), Text.SmallFont, kModeTitles[mode]);
        // Each row sits a little further right or left, by level and rank.
        constexpr int kRowShift[2][5] = {{0, -1, -2, -3, 0}, {0, 3, 6, 9, 16}};
        for (int level = 0; level < 2; ++level) {
            const int table = mode * 2 + level;
            writer.Text(661 + 18 * level, 75 + 101 * level, 1, Colour(kScoresTitleColour), Text.SmallFont,
                        std::string("Level ") + static_cast<char>('1' + level));
            for (int row = 0; row < 5; ++row) {
                // Long names are cut in the table itself, so they stay cut.
                std::string name = ScoreName(table, row);
                while (MeasureString(0, Text.SmallFont, name) > 100) name.pop_back();
                ShortenScoreName(table, row, static_cast<int>(name.size()));
                const int d = kRowShift[level][row];
                const int y = 91 + 110 * level + 15 * row;
                writer.Text(608 + 22 * level + d, y, 0, Colour(kPlainEntry), Text.SmallFont,
                            std::string(1, static_cast<char>('1' + row)) + ". " + name);
                writer.Text(720 + 22 * level + d, y, 0, Colour(kPlainEntry), Text.SmallFont,
                            NumberText(ScoreValue(table, row), 10, 6, 0));
            }
        }
        writer.Text(260, 585, 1, Colour(kNoticeColour), Text.SmallFont,
                    "Click here or press Space key to back to the game.");
    }
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    DrawCursor();
}

void ShowFarewell() {
    Game.ScreenState = FarewellScreen;
    Front.FarewellAnimFrame = 0;
    TileHelpBackground(ComposeSlot);
    {
        SlotWriter writer(ComposeSlot);
        writer.Bevel(kFarewellPanelX, kFarewellPanelY, kFarewellPanelW, kFarewellPanelH, 25, 24, 26);
        for (const FarewellLine& line : kFarewell) {
            const Font& font = line.large ? Text.LargeFont : Text.SmallFont;
            const int x = 400 - MeasureString(1, font, line.text) / 2;
            writer.Text(x, line.y, 1, Colour(kHelpTextColour), font, line.text);
        }
    }
    CopyPicture(FarewellFrame(0), ComposeSlot);
    WaitForVerticalBlank();
    EraseCursor();
    BlitOpaque(0, 0, 799, 599, 0, 0, ComposeSlot, PrimarySlot);
    DrawCursor();
}

void AnimateTopScores() {
    Front.ScoresAnimFrame = (Front.ScoresAnimFrame + 1) % 24;
    WaitForVerticalBlank();
    EraseCursor();
    CopyPicture(kScoresPatch, PrimarySlot);
    PastePicture(ScoresFrame(Front.ScoresAnimFrame), PrimarySlot);
    DrawCursor();
}

// A new farewell frame every second tick; the cursor bracket runs on every tick.
void AnimateFarewell() {
    WaitForVerticalBlank();
    EraseCursor();
    Front.FarewellAnimPhase = static_cast<uint8_t>(1 - Front.FarewellAnimPhase);
    if (Front.FarewellAnimPhase == 1) {
        CopyPicture(FarewellFrame(Front.FarewellAnimFrame), PrimarySlot);
        Front.FarewellAnimFrame = (Front.FarewellAnimFrame + 1) % 15;
    }
    DrawCursor();
}
