// State and helpers the SDL backend's files share: the window, the renderer
// that shows the primary surface, and the pump that turns SDL events into
// game messages. Only the SDL backend (and its tests) include this.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform::sdl {

struct Backend {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;  // ARGB8888, the size of the primary surface
    bool active = false;             // the last activation we reported
    bool minimised = false;
    bool hidden = true;
    int64_t lastPresent = 0;         // counter value of the last present
    int64_t presentInterval = 0;     // counter counts per display refresh
    int32_t lastMouseX = -1;         // the position of the last MouseMove we reported
    int32_t lastMouseY = -1;
    bool dropNextText = false;       // the key that produced it was an Alt combination
};

Backend& State();

// ---------------------------------------------------------------- events

// Drains SDL's event queue into the game's message queue.
void PumpEvents();
// Turns one SDL event into zero or more game messages.
void TranslateEvent(const SDL_Event& event);

// Windows virtual-key code for a key press, 0 for keys the game cannot know.
uint32_t VirtualKeyOf(const SDL_Keysym& key);
// The character Windows would type for a key press that SDL sends no text
// for (Escape, Enter, Backspace, Tab, Ctrl+letter); 0 when there is none.
uint32_t CharacterOfKey(const SDL_Keysym& key);
// The Windows-1252 bytes of UTF-8 text; what that code page lacks is left
// out, and so are control characters and malformed sequences.
std::string ToWindows1252(const char* utf8);
// The other way, for window titles and message boxes.
std::string Utf8FromWindows1252(const std::string& text);

// ---------------------------------------------------------------- video

// The exact 8-bit expansion of an RGB565 pixel (bit replication), as ARGB8888.
uint32_t ExpandRgb565(uint16_t pixel);
// Shows the primary surface if it changed, the window can be seen and a
// display refresh has passed since the last present.
void PresentIfDue();
// A changed screen is waiting only for the next display refresh.
bool PresentWaiting();
// Counter value from which PresentIfDue may show the screen again.
int64_t NextPresentAllowed();

}  // namespace platform::sdl
