// The front end's full screens.
#pragma once

// Composes and shows the game screen for the current state; keeps ScreenState.
void ShowGameScreen();
