// The one place that looks under SDL at X11: the idle wait sleeps on the X
// connection's socket itself. X's headers stay in this file (their names
// clash with the game's).
#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {

int XConnectionFd(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11) && defined(__linux__)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
        return ConnectionNumber(info.info.x11.display);
#else
    (void)window;
#endif
    return -1;
}

}  // namespace platform::sdl
