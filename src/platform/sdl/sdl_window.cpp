// The game's one window, the system pointer, message boxes and the desktop
// calls that go with the window.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {

Backend& State() {
    static Backend backend;
    return backend;
}

namespace {

// Asked for before the window exists; the backend's state starts afresh with it.
WindowMode requestedMode = WindowMode::FullScreen;

SDL_Rect DisplayBounds(int display, bool usable) {
    SDL_Rect bounds{0, 0, 800, 600};
    const int result = usable ? SDL_GetDisplayUsableBounds(display, &bounds) : SDL_GetDisplayBounds(display, &bounds);
    if (result != 0 || bounds.w <= 0 || bounds.h <= 0) bounds = {0, 0, 800, 600};
    return bounds;
}

// The picture's size times the largest whole factor that fits the part of the
// desktop windows may use; at least the picture's own size.
SDL_Rect WindowedSize(int display) {
    const SDL_Rect usable = DisplayBounds(display, true);
    const int factor = std::max(1, std::min(usable.w / 800, usable.h / 600));
    return {usable.x + (usable.w - 800 * factor) / 2, usable.y + (usable.h - 600 * factor) / 2, 800 * factor,
            600 * factor};
}

}  // namespace

void ToggleWindowMode() {
    Backend& st = State();
    if (!st.window) return;
    st.windowed = !st.windowed;
    const int display = std::max(0, SDL_GetWindowDisplayIndex(st.window));
    const SDL_Rect place = st.windowed ? WindowedSize(display) : DisplayBounds(display, false);
    SDL_SetWindowBordered(st.window, st.windowed ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(st.window, place.w, place.h);
    SDL_SetWindowPosition(st.window, place.x, place.y);
    // The picture is fitted to the new size when the window reports it.
    st.xLookOwed = true;
}

}  // namespace platform::sdl

namespace platform {

bool CreateMainWindow(const std::string& title) {
    // A busy start-up would otherwise lose the first click that arrives
    // right after the window takes the focus.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A close from the desktop reaches the game once, as the window's close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The window surface is the window's own pixels, not an OpenGL texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return false;
    // With no display, or a display that does not answer, SDL falls back to
    // drivers that show nothing, and the game would run unseen until killed.
    // Such a driver is taken only when it is the very one asked for by name
    // (the tests ask for the dummy driver).
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool invisible = !driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
    if (invisible && !(driver && asked && SDL_strcmp(driver, asked) == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
        return false;
    }
    sdl::Backend& st = sdl::State();
    st = sdl::Backend{};
    // The whole screen is a borderless window over the whole desktop: it
    // covers the screen as a full-screen one does, without the wait (a tenth
    // of a second when no window manager answers) for a full-screen switch
    // to be confirmed.
    st.windowed = sdl::requestedMode == WindowMode::Windowed;
    const SDL_Rect place = st.windowed ? sdl::WindowedSize(0) : sdl::DisplayBounds(0, false);
    st.window = SDL_CreateWindow(sdl::Utf8FromWindows1252(title).c_str(), place.x, place.y, place.w, place.h,
                                 SDL_WINDOW_HIDDEN | (st.windowed ? 0u : Uint32{SDL_WINDOW_BORDERLESS}));
    return st.window != nullptr;
}

void SetWindowMode(WindowMode mode) { sdl::requestedMode = mode; }

void SetWindowIcon(const std::string& bitmapPath) {
    SDL_Window* window = sdl::State().window;
    if (!window) return;
    // Only a plain file of an icon's size: a pipe or a device under that
    // name would hold up the start, for a picture the game can do without.
    struct stat info {};
    if (::stat(bitmapPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > (1 << 20)) return;
    SDL_Surface* icon = SDL_LoadBMP(bitmapPath.c_str());
    if (!icon) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
    sdl::State().xLookOwed = true;
}

void DestroyMainWindow() {
    sdl::Backend& st = sdl::State();
    sdl::ReportPresentStats(true);
    if (st.window) SDL_DestroyWindow(st.window);  // and its surface
    st = sdl::Backend{};
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
}

// Calls that talk to the X server may read input along with its answers,
// into Xlib's queue, where the idle wait would not see it.
void ShowSystemCursor(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
    sdl::State().xLookOwed = true;
}

void SetSystemCursorPos(int x, int y) {
    sdl::Backend& st = sdl::State();
    if (!st.window) return;
    int windowX = x, windowY = y;
    sdl::PictureToWindow(x, y, windowX, windowY);
    SDL_WarpMouseInWindow(st.window, windowX, windowY);
    st.xLookOwed = true;
}

void MinimiseWindow() {
    if (SDL_Window* window = sdl::State().window) SDL_MinimizeWindow(window);
    sdl::State().xLookOwed = true;
}

// SDL cannot tell whether a browser opened; the game never asks.
void OpenUrl(const std::string& url) { SDL_OpenURL(url.c_str()); }

int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t type) {
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    switch (type & 0xF0) {  // the icon bits of the style
        case 0x10: flags = SDL_MESSAGEBOX_ERROR; break;
        case 0x30: flags = SDL_MESSAGEBOX_WARNING; break;
        default: break;
    }
    const sdl::Backend& st = sdl::State();
    SDL_Window* parent = st.hidden ? nullptr : st.window;
    const std::string utf8Text = sdl::Utf8FromWindows1252(text);
    const std::string utf8Caption = sdl::Utf8FromWindows1252(caption);
    // With no display at all the player still learns why the game stopped.
    if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), parent) != 0)
        std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
    sdl::State().xLookOwed = true;
    return kIdOk;
}

}  // namespace platform
