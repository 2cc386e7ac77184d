// Waiting without spinning a core: the main loop and the game's pauses sleep
// in SDL's event wait or in the system's sleep, never in a polling loop.
#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "platform/common/message_queue.h"
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

// A system sleep ends some tens of microseconds late; the last stretch of this
// length before a deadline is waited out by yielding, which costs well under
// a tenth of a per cent of a core at 18 ticks a second.
constexpr int64_t kYieldMicros = 120;

// SDL's event wait counts whole milliseconds from a millisecond clock and can
// wake up to one early; the last stretch before a deadline is slept exactly,
// so the frame tick comes on time instead of up to a millisecond late.
void WaitUntil(int64_t until, int64_t now) {
    const auto frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    const int64_t perMs = std::max<int64_t>(1, frequency / 1000);
    const int64_t left = until - now;
    if (left < 2 * perMs) {
        const int64_t yieldSpan = frequency * kYieldMicros / 1000000;
        if (left > yieldSpan)
            std::this_thread::sleep_for(std::chrono::nanoseconds((left - yieldSpan) * 1000000000 / frequency));
        while (static_cast<int64_t>(SDL_GetPerformanceCounter()) < until) std::this_thread::yield();
        return;
    }
    const auto ms = static_cast<int>(std::min<int64_t>(left / perMs - 1, INT_MAX));
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, ms)) TranslateEvent(event);
}

}  // namespace
}  // namespace platform::sdl

namespace platform {

void WaitForMessage(int64_t deadline) {
    sdl::PumpEvents();
    while (queue::Empty()) {
        sdl::PresentIfDue();
        const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
        if (now >= deadline) return;
        int64_t until = deadline;
        // A changed screen held back by the refresh limit is shown as soon as it may be.
        if (sdl::PresentWaiting() && sdl::NextPresentAllowed() > now) until = std::min(until, sdl::NextPresentAllowed());
        sdl::WaitUntil(until, now);
        sdl::PumpEvents();
    }
}

void Sleep(uint32_t ms) {
    sdl::PresentIfDue();
    SDL_Delay(ms);
    sdl::PumpEvents();
}

}  // namespace platform
