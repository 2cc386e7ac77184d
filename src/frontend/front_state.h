// The front end's own state: the input event being dispatched, the help page
// and where the help returns to, the table shown on the top-score screen, and
// the frames of the top-score and farewell animations.
#pragma once

#include <cstdint>

// The seven input events, handed to DispatchInput through Front.InputEvent.
enum InputEventCode : uint8_t {
    KeyDown = 0,
    CharTyped = 1,
    LeftDown = 2,
    RightDown = 3,
    LeftUp = 4,
    RightUp = 5,
    MouseMove = 6,
};

struct FrontEndState {
    uint8_t InputEvent = KeyDown;
    uint8_t ReturnState = 0;        // the screen the help goes back to
    uint8_t HelpPage = 0;           // 0..5
    int32_t ScoresViewMode = 0;     // the game mode whose tables the top-score screen shows
    int32_t ScoresAnimFrame = 0;    // 0..23
    int32_t FarewellAnimFrame = 0;  // 0..14
    uint8_t FarewellAnimPhase = 0;  // flips every farewell tick; never reset
};
extern FrontEndState Front;
void ResetFrontEndState();
