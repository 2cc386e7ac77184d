// The thirteen buttons that frame the game screen, and the give-up button of
// mode 2: what a press does, and which button lights up under the pointer.
#include "frontend/panel.h"

#include <cstring>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/spawn.h"
#include "frontend/front_state.h"
#include "frontend/help.h"
#include "frontend/screens.h"
#include "frontend/startup.h"
#include "graphics/bitmap.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "platform/platform.h"
#include "services/files.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace {

constexpr int kButtonCount = 14;
constexpr int kNoButtonHere = 4;
constexpr int kMaxSpeed = 9;
constexpr int kSkinCount = 3;

struct PanelButton {
    ScreenArea hit;
    Picture normal, lit;   // the mode button's change with the mode: see kModeNormal
};

// The top bar's normal pictures are part of the background itself; the hit
// areas are wider than the pictures, and the column's follow one another
// without a gap.
constexpr PanelButton kButtons[kButtonCount] = {
    {{0, 0, 113, 65}, WorkPicture("button_help"), WorkPicture("button_help_hl")},
    {{113, 0, 134, 65}, WorkPicture("button_sound"), WorkPicture("button_sound_hl")},
    {{247, 0, 129, 65}, WorkPicture("button_music"), WorkPicture("button_music_hl")},
    {{376, 0, 138, 65}, WorkPicture("button_minimise"), WorkPicture("button_minimise_hl")},
    {{513, 0, 179, 65}, {}, {}},
    {{692, 0, 107, 65}, WorkPicture("button_exit"), WorkPicture("button_exit_hl")},
    {{537, 200, 235, 57}, {}, {}},
    {{537, 257, 235, 57}, WorkPicture("button_newgame"), WorkPicture("button_newgame_hl")},
    {{537, 314, 235, 53}, WorkPicture("button_speed"), WorkPicture("button_speed_hl")},
    {{537, 367, 235, 52}, WorkPicture("button_level"), WorkPicture("button_level_hl")},
    {{537, 419, 235, 59}, WorkPicture("button_stop"), WorkPicture("button_stop_hl")},
    {{537, 478, 235, 63}, WorkPicture("button_skin"), WorkPicture("button_skin_hl")},
    {{279, 563, 257, 27}, WorkPicture("button_home"), WorkPicture("button_home_hl")},
    {{90, 547, 105, 47}, WorkPicture("button_giveup"), WorkPicture("button_giveup_hl")},
};
// The mode button shows the title of the mode being played.
constexpr Picture kModeNormal[3] = {WorkPicture("mode_title_0"), WorkPicture("mode_title_1"),
                                    WorkPicture("mode_title_2")};
constexpr Picture kModeLit[3] = {WorkPicture("mode_title_0_hl"), WorkPicture("mode_title_1_hl"),
                                 WorkPicture("mode_title_2_hl")};

constexpr Picture kTopBar = WorkPicture("top_bar");
constexpr ScreenArea kTopBarArea{kTopBar.destX, kTopBar.destY, kTopBar.width(), kTopBar.height()};
constexpr ScreenArea kColumnArea{kButtons[kModeButton].hit.x, kButtons[kModeButton].hit.y,
                                 kButtons[kModeButton].hit.w,
                                 kButtons[kSkinButton].hit.y + kButtons[kSkinButton].hit.h -
                                     kButtons[kModeButton].hit.y};

constexpr bool Same(const ScreenArea& a, const ScreenArea& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
constexpr bool Inside(const Picture& p, const ScreenArea& a) {
    return p.destX >= a.x && p.destY >= a.y && p.destX + p.width() <= a.x + a.w &&
           p.destY + p.height() <= a.y + a.h;
}
constexpr bool TableFitsTheScreen() {
    for (int i = 0; i < kButtonCount; ++i) {
        const PanelButton& b = kButtons[i];
        if (i == kNoButtonHere || i == kModeButton) continue;
        if (!Inside(b.normal, b.hit) || !Inside(b.lit, b.hit)) return false;
        if (b.normal.width() != b.lit.width() || b.normal.height() != b.lit.height()) return false;
    }
    for (int i = kModeButton; i < kSkinButton; ++i)
        if (kButtons[i].hit.y + kButtons[i].hit.h != kButtons[i + 1].hit.y) return false;
    for (int mode = 0; mode < 3; ++mode)
        if (!Inside(kModeNormal[mode], kColumnArea) || !Inside(kModeLit[mode], kButtons[kModeButton].hit))
            return false;
    return Same(kColumnArea, AreaOf("zast_hidden_by_right_column")) &&
           Same(kButtons[kHomeButton].hit, AreaOf("zast_hidden_by_home_bar")) &&
           Same(kButtons[kGiveUpButton].hit, AreaOf("zast_giveup_area"));
}
static_assert(TableFitsTheScreen());

bool In(const ScreenArea& a) {
    return PointerIn(static_cast<uint16_t>(a.x), static_cast<uint16_t>(a.y), static_cast<uint16_t>(a.w),
                     static_cast<uint16_t>(a.h));
}

bool State(ScreenStateCode s) { return Game.ScreenState == s; }
int ModeShown() { return Game.GameMode >= 0 && Game.GameMode <= 2 ? Game.GameMode : 0; }

// A button lights up only in the states where it is meant to be pressed.
bool Active(int button) {
    switch (button) {
        case kSpeedButton:
            return Game.GameMode != 2 && ((State(Playing) && Game.Speed < kMaxSpeed) || State(Stopped));
        case kLevelButton:
            return State(Stopped);
        case kStopButton:
            return !State(Stopped);
        case kSkinButton:
            return !State(GameOver);
        case kGiveUpButton:
            return State(Playing);
        default:
            return true;
    }
}

void ShowLit(int button) {
    CopyPicture(button == kModeButton ? kModeLit[ModeShown()] : kButtons[button].lit, PrimarySlot);
}

// Moves the highlight to the button under the pointer. Leaving the lit button
// for a part of the panel without one (the empty stretch of the top bar, the
// give-up place outside mode 2) puts it out too, so no button stays lit with
// the pointer elsewhere.
void FollowPointer() {
    const int count = Game.GameMode == 2 ? kButtonCount : kButtonCount - 1;
    int under = -1;
    for (int i = 0; i < count && under < 0; ++i)
        if (i != kNoButtonHere && i != Game.HoverButton && In(kButtons[i].hit)) under = i;
    if (under < 0) {
        const int lit = Game.HoverButton;
        if (lit < 0 || lit >= kButtonCount || In(kButtons[lit].hit)) return;
    }
    WaitForVerticalBlank();
    EraseCursor();
    if (Game.HoverButton < kNoButton) {
        DrawButtonNormal(Game.HoverButton);
        Game.HoverButton = kNoButton;
    }
    if (under >= 0 && Active(under)) {
        ShowLit(under);
        Game.HoverButton = under;
    }
    DrawCursor();
}

void NextGameMode() {
    Game.GameMode = (Game.GameMode + 1) % 3;
    Front.ScoresViewMode = Game.GameMode;
    Game.Speed = 0;
    EraseCursor();
    DrawModeTitle(PrimarySlot);
    DrawSpeed(PrimarySlot);
    DrawGiveUpButton(Game.GameMode == 2, PrimarySlot);
    // Outside mode 1 the gauge shows only its empty frame.
    if (Game.GameMode != 1) DrawBlockGauge(PrimarySlot);
    if (Game.GameMode == 0) ClearCounterStrip();
    DrawCursor();
    SetUpBoard();
}

// While stopped the speed cycles both ways; while playing it only rises, and
// a game that is over keeps its speed.
void RaiseSpeed() {
    if (Game.GameMode == 2) return;
    if (State(Stopped) && Game.Speed == kMaxSpeed) {
        Game.Speed = 0;
        PlayEffect(effect::kSpeedChanged);
    } else if (Game.Speed < kMaxSpeed && !State(GameOver)) {
        ++Game.Speed;
        PlayEffect(effect::kSpeedChanged);
    }
    DrawSpeed(PrimarySlot);
}

// Kept as the game always had it: at speed 0 a right press jumps to 9 even
// during a game.
void LowerSpeed() {
    if (Game.GameMode == 2) return;
    if (Game.Speed != 0 && !State(Stopped)) return;
    if (--Game.Speed < 0) Game.Speed = kMaxSpeed;
    PlayEffect(effect::kSpeedChanged);
    DrawSpeed(PrimarySlot);
}

void ToggleLevel() {
    if (Game.PieceCount != 0) return;
    Game.Level = 1 - Game.Level;
    DrawLevelGlyph(PrimarySlot);
    PlayEffect(effect::kLevelChanged);
}

void StopGame() {
    if (State(Stopped)) return;
    std::memset(Game.Board, Game.GameMode == 1 ? 0 : kEmptyPipeCell, sizeof Game.Board);
    std::memset(Game.Walls, 0, sizeof Game.Walls);
    std::memset(Game.LockFlags, 0, sizeof Game.LockFlags);
    Game.LineEnd = Game.LineStart = Game.KeyCursor = CellPos{-1, -1};
    Game.Score = 0;
    Game.PieceCount = 0;
    // Set first: the gauge of a stopped game shows no marks.
    Game.ScreenState = Stopped;
    WaitForVerticalBlank();
    EraseCursor();
    DrawBoard(PrimarySlot);
    DrawScore(PrimarySlot);
    DrawBlockGauge(PrimarySlot);
    DrawButtonNormal(kStopButton);
    Game.HoverButton = kNoButton;
    DrawPieceCounters();
    DrawCursor();
    PlayEffect(effect::kGameStopped);
}

// The pointer's picture lies in the skin too, so it changes with the pieces.
void NextSkin() {
    if (!State(Playing) && !State(Stopped)) return;
    Game.SkinIndex = (Game.SkinIndex + 1) % kSkinCount;
    WaitForVerticalBlank();
    EraseCursor();
    LoadBitmapFile(0, 0, 0, kSkinTop, WorkSlot, SkinFileName());
    DrawBoard(PrimarySlot);
    DrawPieceCounters();
    DrawCursor();
}

void OpenManualPage() {
    const std::string url = ManualPageUrl();
    if (!url.empty()) platform::OpenUrl(url);
}

void Press(int button) {
    switch (button) {
        case kHelpButton:
            Front.ReturnState = Game.ScreenState;
            ShowHelp();
            break;
        case kSoundButton: SoundButton(); break;
        case kMusicButton: MusicButton(); break;
        case kMinimiseButton: platform::MinimiseWindow(); break;
        case kExitButton: ShowTopScores(); break;
        case kModeButton: NextGameMode(); break;
        case kNewGameButton: SetUpBoard(); break;
        case kSpeedButton: RaiseSpeed(); break;
        case kLevelButton: ToggleLevel(); break;
        case kStopButton: StopGame(); break;
        case kSkinButton: NextSkin(); break;
        case kHomeButton: OpenManualPage(); break;
        default: break;
    }
}

// Letters, digits, "-._~" and the path's own "/" and ":" stand as they are;
// every other byte is written as %XX.
bool PlainInUrl(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

void PanelInput() {
    switch (Front.InputEvent) {
        case LeftDown:
            // The give-up button is the dispatcher's: it ends a game, it does not set one.
            for (int i = 0; i < kGiveUpButton; ++i)
                if (i != kNoButtonHere && In(kButtons[i].hit)) {
                    Press(i);
                    return;
                }
            break;
        case RightDown:
            if (In(kButtons[kSpeedButton].hit)) LowerSpeed();
            break;
        case MouseMove:
            FollowPointer();
            break;
        default:
            break;
    }
}

void RefreshPanelHover() {
    Front.InputEvent = MouseMove;
    PanelInput();
}

void DrawButtonNormal(int button) {
    if (button < 0 || button >= kButtonCount || button == kNoButtonHere) return;
    if (button == kGiveUpButton && Game.GameMode != 2) return;
    CopyPicture(button == kModeButton ? kModeNormal[ModeShown()] : kButtons[button].normal, PrimarySlot);
}

ScreenArea PanelButtonArea(int button) {
    return button >= 0 && button < kButtonCount ? kButtons[button].hit : ScreenArea{0, 0, 0, 0};
}

ScreenArea PanelTopBarArea() { return kTopBarArea; }

ScreenArea PanelColumnArea() { return kColumnArea; }

std::string ManualPageUrl() {
    std::string path = ProgramFile("manual.html");
    for (char& c : path)
        if (c == '\\') c = '/';
    const bool driveLetter = path.size() > 2 && path[1] == ':' && path[2] == '/' &&
                             ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    if (!driveLetter && (path.empty() || path[0] != '/')) return {};
    std::string url = driveLetter ? "file:///" : "file://";
    constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (PlainInUrl(byte)) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 15];
        }
    }
    return url;
}
