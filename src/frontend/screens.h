// The front end's full screens: the start screen, the title animation, the
// game screen, the top-score tables and the farewell, with the two small
// animations the frame tick runs.
#pragma once

// The title lettering: on the PrimarySlot with its sounds and pauses, on the
// ComposeSlot silently and at once.
void TitleAnimation(int slot);
// The start screen in the ComposeSlot: its picture and four notices.
void ComposeStartScreen();
// The whole start screen, title included, composed and shown at once (after a
// lost display).
void ShowStartScreen();
// Composes and shows the game screen for the current state; keeps ScreenState.
void ShowGameScreen();
void ShowTopScores();
void ShowFarewell();
// One frame tick of each screen's animation.
void AnimateTopScores();
void AnimateFarewell();
