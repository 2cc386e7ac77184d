// The three ends of a game share one picture and one top-score check.
#include "board/game_end.h"

#include <initializer_list>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/front_end_calls.h"
#include "graphics/surfaces.h"
#include "graphics/wait.h"
#include "sound/effects.h"

FrontEndCalls FrontEnd;

void ConnectFrontEnd(const FrontEndCalls& calls) { FrontEnd = calls; }

namespace {

constexpr int kEmptiedBonus = 100;
constexpr int kNameEntryDelayMs = 1000;

// Buttons that lose their meaning once the game is over give up their highlight.
void DropHighlight(std::initializer_list<int> buttons) {
    for (const int button : buttons)
        if (Game.HoverButton == button) {
            FrontEnd.DrawButtonNormal(button);
            Game.HoverButton = kNoButton;
            return;
        }
}

void FinishGame(bool bonus, std::initializer_list<int> buttons) {
    PlayEffect(effect::kGameOver);
    if (bonus) Game.Score += kEmptiedBonus;
    BeginDrawing();
    DrawGameOverPicture(PrimarySlot);
    if (bonus) DrawScore(PrimarySlot);
    DropHighlight(buttons);
    EndDrawing();
    Game.ScreenState = GameOver;
    CheckTopScore();
}

}  // namespace

void EndGame() { FinishGame(false, {kSpeedButton, kLevelButton, kSkinButton}); }

void EndEmptiedBoard() { FinishGame(true, {kSpeedButton, kLevelButton, kSkinButton, kGiveUpButton}); }

void EndGivenUp() { FinishGame(false, {kSpeedButton, kLevelButton, kSkinButton, kGiveUpButton}); }

void CheckTopScore() {
    if (!FrontEnd.ScoreQualifies(Game.Score)) return;
    WaitMs(true, kNameEntryDelayMs);
    FrontEnd.OpenNameEntry();
}
