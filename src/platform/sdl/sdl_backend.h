// State and helpers the SDL backend's files share: the window and how the
// primary surface reaches it, and the pump that turns SDL events into game
// messages. Only the SDL backend (and its tests) include this.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_letterbox.h"

namespace platform::sdl {

struct Backend {
    SDL_Window* window = nullptr;
    // The window's own pixels (SDL's window surface, no OpenGL): the picture
    // is converted and scaled into it, and only changed parts are sent.
    SDL_Surface* windowSurface = nullptr;
    Letterbox box;                   // where the picture lies in windowSurface
    std::vector<uint32_t> table;     // picture pixel -> window pixel, when not RGB565 both
    bool windowStale = false;        // the window lost what it showed: send all of it again
    int pictureWidth = 800;
    int pictureHeight = 600;
    bool active = false;             // the last activation we reported
    bool minimised = false;
    bool hidden = true;
    bool windowed = false;           // an 800x600 window scaled by whole factors, not the whole screen
    int64_t lastPresent = 0;         // counter value of the last present
    int64_t presentInterval = 0;     // counter counts per display refresh
    int32_t lastMouseX = -1;         // the position of the last MouseMove we reported
    int32_t lastMouseY = -1;
    bool dropNextText = false;       // the key that produced it was an Alt combination
    int xConnection = -1;            // the X socket the idle wait sleeps on; -1: SDL's own wait
    // SDL must look at the X connection before the wait sleeps: a round trip
    // (a present, a pointer warp) may have read input into Xlib's queue.
    bool xLookOwed = false;
    int64_t lastXLook = 0;           // counter value of SDL's last look at the connection
    // Counted for the benchmark (TORVANEX_PRESENT_STATS).
    bool countPresents = false;
    int64_t presents = 0;
    int64_t pixelsSent = 0;
    Uint64 firstShownAt = 0;         // SDL ticks when the first picture was sent
    int64_t statsPrinted = 0;        // counter value of the last printed figures
};

Backend& State();

// Alt+Enter: from the whole screen to a window and back.
void ToggleWindowMode();

// ---------------------------------------------------------------- waiting

// The socket of the window's X connection; -1 when SDL does not drive X11.
int XConnectionFd(SDL_Window* window);
// Whether a socket has data to read, without waiting.
bool SocketHasData(int fd);
// Ends the main thread's idle wait from another thread. (SDL's own wake-up
// does not reach a wait that sleeps on the X socket.)
void WakeMainThread();

// ---------------------------------------------------------------- events

// Lets SDL look at the X connection when something may be there, then
// drains SDL's event queue into the game's message queue.
void PumpEvents();
// Drains SDL's event queue without reading the X connection.
void TakePushedEvents();
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
// Takes the window's surface (again after a resize) and fits the picture
// into it; the whole window is sent at the next present.
void FitWindow();
// Window position (SDL's mouse coordinates) to picture pixel, and back.
void WindowToPicture(int windowX, int windowY, int& x, int& y);
void PictureToWindow(int x, int y, int& windowX, int& windowY);
// Shows the primary surface if it changed, the window can be seen and a
// display refresh has passed since the last present.
void PresentIfDue();
// A changed screen is waiting only for the next display refresh.
bool PresentWaiting();
// Counter value from which PresentIfDue may show the screen again.
int64_t NextPresentAllowed();
// Prints the present figures once a second when they are counted.
void ReportPresentStats(bool final);

// ---------------------------------------------------------------- audio

// The first piece of music waits for the game's first picture (or half a
// second), is loaded on a thread of its own, and starts once loaded: called
// wherever the screen may be shown. Cheap when nothing waits.
void StartDeferredMusic();

}  // namespace platform::sdl
