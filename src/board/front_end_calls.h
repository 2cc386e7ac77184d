// The few things the board engine asks of the front end above it. The front
// end hands them in at start-up (ConnectFrontEnd); the board never includes the
// front end. Until then they do nothing, so the engine also runs on its own.
#pragma once

#include <cstdint>

struct FrontEndCalls {
    // Composes and shows the whole game screen: a new game starts on it.
    void (*ShowGameScreen)() = [] {};
    // Highlights afresh the panel button under the pointer.
    void (*RefreshPanelHover)() = [] {};
    // Puts a panel button's normal look back on the screen; no cursor handling.
    void (*DrawButtonNormal)(int button) = [](int) {};
    // The score enters the top-score table of the current mode and level.
    bool (*ScoreQualifies)(int32_t score) = [](int32_t) { return false; };
    // Opens the name entry for a new top score, with an empty name.
    void (*OpenNameEntry)() = [] {};
};
extern FrontEndCalls FrontEnd;
void ConnectFrontEnd(const FrontEndCalls& calls);
