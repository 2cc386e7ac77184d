// The display: the primary surface lives in memory and reaches the window
// through a streaming texture, only when it changed and at most once per
// display refresh.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

// SDL's own RGB565 upload is off by one in some green levels on 24-bit
// screens; expanding through this table shows the pictures' exact colours.
const std::vector<uint32_t>& ExpansionTable() {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(65536);
        for (uint32_t p = 0; p < 65536; ++p) t[p] = ExpandRgb565(static_cast<uint16_t>(p));
        return t;
    }();
    return table;
}

memory::Surface* ShowablePrimary() {
    const Backend& st = State();
    if (!st.texture || st.minimised || st.hidden) return nullptr;
    memory::Surface* primary = memory::Find(memory::PrimaryHandle());
    // A locked primary is half drawn.
    if (!primary || primary->locked) return nullptr;
    return primary;
}

void Present(const memory::Surface& primary) {
    Backend& st = State();
    int textureWidth = 0, textureHeight = 0;
    SDL_QueryTexture(st.texture, nullptr, nullptr, &textureWidth, &textureHeight);
    void* texels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(st.texture, nullptr, &texels, &pitch) != 0) return;
    const std::vector<uint32_t>& expand = ExpansionTable();
    const int width = std::min(primary.width, textureWidth);
    const int height = std::min(primary.height, textureHeight);
    for (int y = 0; y < height; ++y) {
        const uint16_t* from = &primary.pixels[static_cast<size_t>(y) * primary.width];
        auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(texels) + static_cast<ptrdiff_t>(y) * pitch);
        for (int x = 0; x < width; ++x) to[x] = expand[from[x]];
    }
    SDL_UnlockTexture(st.texture);
    SDL_RenderClear(st.renderer);
    SDL_RenderCopy(st.renderer, st.texture, nullptr, nullptr);
    SDL_RenderPresent(st.renderer);
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

int64_t NextPresentAllowed() {
    const Backend& st = State();
    return st.lastPresent + st.presentInterval;
}

bool PresentWaiting() { return memory::GetHooks().primaryDirty && ShowablePrimary() != nullptr; }

void PresentIfDue() {
    if (!memory::GetHooks().primaryDirty) return;
    const memory::Surface* primary = ShowablePrimary();
    if (!primary) return;
    const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
    if (now < NextPresentAllowed()) return;
    Present(*primary);
    memory::GetHooks().primaryDirty = false;
    State().lastPresent = now;
}

}  // namespace platform::sdl

namespace platform {

DdResult InitDisplay(int width, int height, int bitsPerPixel) {
    sdl::Backend& st = sdl::State();
    if (!st.window || bitsPerPixel != 16 || width <= 0 || height <= 0) return kDdInvalidParams;
    if (st.texture) SDL_DestroyTexture(st.texture);
    st.texture = nullptr;
    if (!st.renderer) st.renderer = SDL_CreateRenderer(st.window, -1, 0);
    if (!st.renderer) return kDdNoBlitter;
    SDL_RenderSetLogicalSize(st.renderer, width, height);
    st.texture = SDL_CreateTexture(st.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!st.texture) return kDdOutOfMemory;
    st.presentInterval = sdl::RefreshInterval();
    SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
    SDL_RenderClear(st.renderer);
    SDL_RenderPresent(st.renderer);
    // The window is shown only now that something can draw into it.
    SDL_ShowWindow(st.window);
    SDL_RaiseWindow(st.window);
    st.hidden = false;
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
    SDL_SetWindowFullscreen(st.window, 0);
    SDL_HideWindow(st.window);
    st.hidden = true;
}

void WaitForVerticalBlank() { sdl::PresentIfDue(); }

}  // namespace platform
