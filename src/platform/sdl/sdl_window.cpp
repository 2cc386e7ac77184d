// The game's one window, the system pointer, message boxes and the desktop
// calls that go with the window.
#include <cstdio>

#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {

Backend& State() {
    static Backend backend;
    return backend;
}

}  // namespace platform::sdl

namespace platform {

bool CreateMainWindow(const std::string& title) {
    // A busy start-up would otherwise lose the first click that arrives
    // right after the window takes the focus.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A close from the desktop reaches the game once, as the window's close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return false;
    sdl::Backend& st = sdl::State();
    st = sdl::Backend{};
    st.window = SDL_CreateWindow(sdl::Utf8FromWindows1252(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                 SDL_WINDOWPOS_CENTERED, 800, 600, SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    return st.window != nullptr;
}

void DestroyMainWindow() {
    sdl::Backend& st = sdl::State();
    if (st.texture) SDL_DestroyTexture(st.texture);
    if (st.renderer) SDL_DestroyRenderer(st.renderer);
    if (st.window) SDL_DestroyWindow(st.window);
    st = sdl::Backend{};
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
}

void ShowSystemCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void SetSystemCursorPos(int x, int y) {
    const sdl::Backend& st = sdl::State();
    if (!st.window) return;
    int windowX = x, windowY = y;
    if (st.renderer)
        SDL_RenderLogicalToWindow(st.renderer, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, &windowX,
                                  &windowY);
    SDL_WarpMouseInWindow(st.window, windowX, windowY);
}

void MinimiseWindow() {
    if (SDL_Window* window = sdl::State().window) SDL_MinimizeWindow(window);
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
    return kIdOk;
}

}  // namespace platform
