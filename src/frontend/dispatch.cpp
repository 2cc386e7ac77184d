// The one road of every input event: routed by ScreenState, the tests of each
// event made in a fixed order, the first that applies the only action.
#include "frontend/dispatch.h"

#include "board/board_state.h"
#include "board/column_shift.h"
#include "board/drawing.h"
#include "board/game_end.h"
#include "board/spawn.h"
#include "frontend/front_state.h"
#include "frontend/help.h"
#include "frontend/panel.h"
#include "frontend/screens.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "moves/lines.h"
#include "moves/moves_state.h"
#include "moves/name_entry.h"
#include "moves/rotation.h"
#include "persist/settings.h"
#include "platform/platform.h"

namespace {

constexpr uint8_t kPageUp = 0x21, kPageDown = 0x22, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr uint8_t kF1 = 0x70;
constexpr uint8_t kEscape = 27, kSpace = 32;
constexpr int kLastHelpPage = 5;

constexpr ScreenArea kBoard = AreaOf("board_area");
constexpr ScreenArea kHelpPrevious = AreaOf("help_prev_click");
constexpr ScreenArea kHelpNext = AreaOf("help_next_click");
constexpr ScreenArea kNextGameMode = AreaOf("rec_next_mode_box");
constexpr ScreenArea kBackToGame = AreaOf("rec_back_line_area");

bool In(const ScreenArea& a) {
    return PointerIn(static_cast<uint16_t>(a.x), static_cast<uint16_t>(a.y), static_cast<uint16_t>(a.w),
                     static_cast<uint16_t>(a.h));
}

bool State(ScreenStateCode s) { return Game.ScreenState == s; }
bool OnGameScreen() { return State(Playing) || State(Stopped) || State(GameOver); }

void OpenHelp() {
    Front.ReturnState = Game.ScreenState;
    ShowHelp();
}

void CloseHelp() {
    Front.HelpPage = 0;
    Game.ScreenState = Front.ReturnState;
    ShowGameScreen();
}

void TurnHelpPage(int by) {
    const int page = Front.HelpPage + by;
    if (page < 0 || page > kLastHelpPage) return;
    Front.HelpPage = static_cast<uint8_t>(page);
    ShowHelp();
}

void SaveAndClose() {
    SaveAll();
    platform::PostMessage({platform::MsgKind::Close, 0, 0, 0});
}

void KeyPressed(uint8_t key) {
    if (State(HelpScreen)) {
        if (key == kPageDown || key == kDown) TurnHelpPage(1);
        if (key == kPageUp || key == kUp) TurnHelpPage(-1);
    } else if (State(Playing) && Game.GameMode == 1) {
        LineKey(key);
    } else if (State(Playing) && Game.GameMode == 2 && (key == kLeft || key == kRight)) {
        ShiftColumns(key);
    } else if (OnGameScreen() && key == kF1) {
        OpenHelp();
    }
}

void CharacterTyped(uint8_t c) {
    switch (Game.ScreenState) {
        case StartScreen:
            StartGame();
            break;
        case Playing:
        case Stopped:
        case GameOver:
            if (State(Playing) && Game.GameMode == 1 && c != kEscape)
                LineKey(c);
            else if (c == kEscape)
                ShowTopScores();
            break;
        case HelpScreen:
            CloseHelp();
            break;
        case NameEntry:
            NameEntryInput(c);
            break;
        case TopScoresScreen:
            if (c == kSpace)
                StartGame();
            else
                ShowFarewell();
            break;
        case FarewellScreen:
            SaveAndClose();
            break;
        default:
            break;
    }
}

void LeftPressed() {
    if (State(Playing) && In(kBoard)) {
        Moves.GrabCell = {(Cursor.CursorX - kBoardLeft) / kCellSize, (Cursor.CursorY - kBoardTop) / kCellSize};
        BoardPress(0);
    } else if (State(Playing) && Game.GameMode == 2 && In(PanelButtonArea(kGiveUpButton))) {
        EndGivenUp();
    } else if (State(HelpScreen)) {
        if (In(kHelpPrevious))
            TurnHelpPage(-1);
        else if (In(kHelpNext))
            TurnHelpPage(1);
        else
            CloseHelp();
    } else if (State(TopScoresScreen)) {
        if (In(kNextGameMode)) {
            Front.ScoresViewMode = (Front.ScoresViewMode + 1) % 3;
            ShowTopScores();
        } else if (In(kBackToGame)) {
            StartGame();
        } else {
            ShowFarewell();
        }
    } else if (State(FarewellScreen)) {
        SaveAndClose();
    } else if (State(NameEntry)) {
        NameEntryInput(0);
    } else if (OnGameScreen()) {
        PanelInput();
    } else if (State(StartScreen)) {
        StartGame();
    }
}

void RightPressed() {
    if (State(Playing) && In(kBoard))
        BoardPress(1);
    else if (OnGameScreen() && In(PanelButtonArea(kSpeedButton)))
        PanelInput();
}

void MouseMoved() {
    if (!OnGameScreen()) return;
    // The give-up place counts in every mode.
    if (In(PanelTopBarArea()) || In(PanelColumnArea()) || In(PanelButtonArea(kHomeButton)) ||
        In(PanelButtonArea(kGiveUpButton))) {
        PanelInput();
        return;
    }
    if (Game.HoverButton < kNoButton) {
        WaitForVerticalBlank();
        EraseCursor();
        DrawButtonNormal(Game.HoverButton);
        DrawCursor();
        Game.HoverButton = kNoButton;
    }
    PanelInput();
}

}  // namespace

void DispatchInput(uint8_t code) {
    switch (Front.InputEvent) {
        case KeyDown:
            KeyPressed(code);
            break;
        case CharTyped:
            CharacterTyped(code);
            break;
        case LeftDown:
            LeftPressed();
            break;
        case RightDown:
            RightPressed();
            break;
        case LeftUp:
            if (State(Playing) && Game.GameMode == 2 && In(kBoard)) SlideGrabbed();
            break;
        default:
            if (Front.InputEvent == MouseMove) MouseMoved();
            break;
    }
}

void SaveBeforeClosing() { SaveAll(); }
