// The display: the primary surface lives in memory and reaches the window
// through SDL's window surface, without OpenGL (on a machine without a
// graphics card the OpenGL stack alone costs some 85 MiB and a full-screen
// upload per cursor move). Only the parts that changed are converted, scaled
// and sent, only when something changed and at most once per display refresh.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

memory::Surface* ShowablePrimary() {
    const Backend& st = State();
    if (!st.window || st.minimised || st.hidden) return nullptr;
    memory::Surface* primary = memory::Find(memory::PrimaryHandle());
    // A locked primary is half drawn.
    if (!primary || primary->locked) return nullptr;
    return primary;
}

// RGB565 windows (16-bit X screens) take the picture's pixels as they are;
// every other format goes through a table of the exact 8-bit expansion, which
// SDL's own 565 conversions do not always give.
void ChooseTable(const SDL_PixelFormat& format) {
    Backend& st = State();
    st.table.clear();
    if (format.format == SDL_PIXELFORMAT_RGB565) return;
    st.table.resize(65536);
    for (uint32_t p = 0; p < 65536; ++p) {
        const uint32_t argb = ExpandRgb565(static_cast<uint16_t>(p));
        if (format.format == SDL_PIXELFORMAT_ARGB8888 || format.format == SDL_PIXELFORMAT_RGB888)
            st.table[p] = format.Amask ? argb : argb & 0xFFFFFFu;
        else
            st.table[p] = SDL_MapRGB(&format, static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                                     static_cast<Uint8>(argb));
    }
}

// The window surface as it is now; a resize makes SDL hand out a new one.
SDL_Surface* CurrentWindowSurface() {
    Backend& st = State();
    SDL_Surface* surface = SDL_GetWindowSurface(st.window);
    if (surface && (surface != st.windowSurface || surface->w != st.box.WindowWidth() ||
                    surface->h != st.box.WindowHeight()))
        FitWindow();
    return st.windowSurface;
}

void Present(memory::Surface& primary) {
    Backend& st = State();
    SDL_Surface* surface = CurrentWindowSurface();
    const int bytesPerPixel = surface ? surface->format->BytesPerPixel : 0;
    if (!surface || st.box.Empty() || (bytesPerPixel != 2 && bytesPerPixel != 4) ||
        (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)) {
        // Nothing can be shown now; a window surface that comes back is
        // fitted anew and gets the whole screen. Kept waiting, the changes
        // would wake the idle wait at every refresh.
        primary.changed.Clear();
        st.windowStale = false;
        return;
    }
    const uint32_t* table = st.table.empty() ? nullptr : st.table.data();
    SDL_Rect sent[memory::ChangedArea::kMaxRects];
    int count = 0;
    for (int i = 0; i < primary.changed.Count(); ++i) {
        const Rect shown = st.box.WindowRectOf(primary.changed[i]);
        if (shown.right <= shown.left || shown.bottom <= shown.top) continue;
        st.box.Draw(primary.pixels.data(), shown, static_cast<uint8_t*>(surface->pixels), surface->pitch,
                    bytesPerPixel, table);
        sent[count++] = {shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top};
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    primary.changed.Clear();
    int result = 0;
    int64_t pixels = 0;
    if (st.windowStale) {
        result = SDL_UpdateWindowSurface(st.window);
        pixels = int64_t{surface->w} * surface->h;
    } else if (count > 0) {
        result = SDL_UpdateWindowSurfaceRects(st.window, sent, count);
        for (int i = 0; i < count; ++i) pixels += int64_t{sent[i].w} * sent[i].h;
    }
    st.xLookOwed = true;
    // What could not be sent is sent whole next time.
    st.windowStale = result != 0;
    if (result == 0 && pixels > 0) {
        if (st.presents == 0) st.firstShownAt = SDL_GetTicks64();
        ++st.presents;
        st.pixelsSent += pixels;
    }
}

int64_t RefreshInterval() {
    int hz = 0;
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(State().window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) hz = mode.refresh_rate;
    if (hz <= 0) hz = 60;
    return static_cast<int64_t>(SDL_GetPerformanceFrequency()) / hz;
}

}  // namespace

uint32_t ExpandRgb565(uint16_t pixel) {
    const uint32_t r = (pixel >> 11) & 0x1F, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
    return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

void FitWindow() {
    Backend& st = State();
    st.windowSurface = st.window ? SDL_GetWindowSurface(st.window) : nullptr;
    if (!st.windowSurface) {
        st.box.Fit(st.pictureWidth, st.pictureHeight, 0, 0);
        return;
    }
    SDL_Surface* surface = st.windowSurface;
    ChooseTable(*surface->format);
    st.box.Fit(st.pictureWidth, st.pictureHeight, surface->w, surface->h);
    // The bars are black; the picture is drawn over the rest at the next present.
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    st.windowStale = true;
    memory::MarkPrimaryChanged();
}

// SDL reports the mouse in window coordinates, which are the surface's pixels
// except on high-density screens.
void WindowToPicture(int windowX, int windowY, int& x, int& y) {
    const Backend& st = State();
    int w = 0, h = 0;
    if (st.window) SDL_GetWindowSize(st.window, &w, &h);
    if (w > 0 && h > 0 && (w != st.box.WindowWidth() || h != st.box.WindowHeight()) && !st.box.Empty()) {
        windowX = static_cast<int>(int64_t{windowX} * st.box.WindowWidth() / w);
        windowY = static_cast<int>(int64_t{windowY} * st.box.WindowHeight() / h);
    }
    st.box.ToPicture(windowX, windowY, x, y);
}

void PictureToWindow(int x, int y, int& windowX, int& windowY) {
    const Backend& st = State();
    st.box.ToWindow(x, y, windowX, windowY);
    int w = 0, h = 0;
    if (st.window) SDL_GetWindowSize(st.window, &w, &h);
    if (w > 0 && h > 0 && (w != st.box.WindowWidth() || h != st.box.WindowHeight()) && !st.box.Empty()) {
        windowX = static_cast<int>(int64_t{windowX} * w / st.box.WindowWidth());
        windowY = static_cast<int>(int64_t{windowY} * h / st.box.WindowHeight());
    }
}

int64_t NextPresentAllowed() {
    const Backend& st = State();
    return st.lastPresent + st.presentInterval;
}

bool PresentWaiting() {
    const memory::Surface* primary = ShowablePrimary();
    return primary && (!primary->changed.Empty() || State().windowStale);
}

void PresentIfDue() {
    // Every wait and poll of the game passes here, the title animation's too.
    StartDeferredMusic();
    if (!PresentWaiting()) return;
    const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
    if (now < NextPresentAllowed()) return;
    Present(*ShowablePrimary());
    State().lastPresent = now;
}

void ReportPresentStats(bool final) {
    Backend& st = State();
    if (!st.countPresents) return;
    const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
    const auto frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    if (!final && now - st.statsPrinted < frequency) return;
    st.statsPrinted = now;
    std::fprintf(stderr, "present-stats %lld %lld %lld\n", static_cast<long long>(now * 1000 / frequency),
                 static_cast<long long>(st.presents), static_cast<long long>(st.pixelsSent));
}

}  // namespace platform::sdl

namespace platform {

DdResult InitDisplay(int width, int height, int bitsPerPixel) {
    sdl::Backend& st = sdl::State();
    if (!st.window || bitsPerPixel != 16 || width <= 0 || height <= 0) return kDdInvalidParams;
    st.pictureWidth = width;
    st.pictureHeight = height;
    sdl::FitWindow();
    if (!st.windowSurface) return kDdNoBlitter;
    const int bytesPerPixel = st.windowSurface->format->BytesPerPixel;
    if (bytesPerPixel != 2 && bytesPerPixel != 4) return kDdNoBlitter;
    st.presentInterval = sdl::RefreshInterval();
    st.countPresents = SDL_getenv("TORVANEX_PRESENT_STATS") != nullptr;
    // The window is shown only now that something can draw into it: black
    // until the game draws.
    SDL_ShowWindow(st.window);
    SDL_RaiseWindow(st.window);
    st.windowStale = SDL_UpdateWindowSurface(st.window) != 0;
    st.hidden = false;
    st.xConnection = sdl::XConnectionFd(st.window);
    st.xLookOwed = true;
    // Without a window manager no focus event may come; showing the window
    // activates the game as it does on the desktop.
    if (!st.active) {
        st.active = true;
        queue::Push({MsgKind::ActivateApp, 1, 0, 0});
    }
    return kDdOk;
}

void RestoreDisplayMode() {
    sdl::Backend& st = sdl::State();
    if (!st.window) return;
    SDL_HideWindow(st.window);
    st.hidden = true;
}

void WaitForVerticalBlank() { sdl::PresentIfDue(); }

}  // namespace platform
