// Waiting without spinning a core: the main loop and the game's pauses sleep
// on the X connection, in SDL's event wait or in the system's sleep, never in
// a polling loop. An idle tick costs one wake-up.
#if defined(__linux__)
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <ctime>
#include <thread>

#include "platform/common/message_queue.h"
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

// A system sleep ends some tens of microseconds late; the last stretch of this
// length before a deadline is waited out by yielding, which costs well under
// a tenth of a per cent of a core at 18 ticks a second.
constexpr int64_t kYieldMicros = 120;

void YieldUntil(int64_t until) {
    while (static_cast<int64_t>(SDL_GetPerformanceCounter()) < until) std::this_thread::yield();
}

#if defined(__linux__)

struct WakePipe {
    int read = -1;
    int write = -1;
};

// Made once and kept for the life of the process, so the audio thread never
// writes to a descriptor that was closed under it.
const WakePipe& Waker() {
    static const WakePipe pipe = [] {
        WakePipe made;
        int fds[2];
        if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
            made.read = fds[0];
            made.write = fds[1];
        }
        return made;
    }();
    return pipe;
}

void DrainWaker() {
    char bytes[64];
    while (::read(Waker().read, bytes, sizeof bytes) > 0) {
    }
}

// A wake this much after the deadline shows nowhere; yielding the time until
// it would cost CPU on nearly every tick.
constexpr int64_t kToleratedLateMicros = 20;

// Sleeps on the X socket and the wake pipe until one of them has something
// or until `until`. A sleep this long ends a fairly steady stretch late (here
// some 150 microseconds, a tick interval three parts in a thousand too long),
// so it is aimed that much early, learnt from the last wakes, and what is
// left is yielded away: one wake-up per tick, the tick on time. True when
// input may have arrived.
bool WaitOnX(int xSocket, int64_t until, int64_t now) {
    static const int64_t frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    static int64_t lateness = frequency * kYieldMicros / 1000000;
    const int64_t aim = until - lateness + frequency * kToleratedLateMicros / 1000000;
    pollfd fds[2] = {{xSocket, POLLIN, 0}, {Waker().read, POLLIN, 0}};
    const nfds_t count = Waker().read >= 0 ? 2 : 1;
    int ready = 0;
    if (aim > now) {
        const int64_t ns = (aim - now) * 1000000000 / frequency;
        const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        ready = ::ppoll(fds, count, &timeout, nullptr);
        if (ready == 0) {
            const int64_t late = static_cast<int64_t>(SDL_GetPerformanceCounter()) - aim;
            lateness = std::clamp(lateness + (late - lateness) / 8, int64_t{0}, frequency / 500);
        }
    } else {
        ready = ::poll(fds, count, 0);
    }
    if (ready < 0) return errno == EINTR;  // a signal: SDL turns SIGTERM into a quit at the pump
    if (count == 2 && (fds[1].revents & POLLIN)) DrainWaker();
    if (ready > 0) return true;
    YieldUntil(until);
    return false;
}

#else

// Elsewhere the idle wait is SDL's own (there is no X socket to sleep on).
bool WaitOnX(int, int64_t, int64_t) { return true; }

#endif

// SDL's event wait counts whole milliseconds from a millisecond clock and can
// wake up to one early; the last stretch before a deadline is slept exactly,
// so the frame tick comes on time instead of up to a millisecond late.
void WaitInSdl(int64_t until, int64_t now) {
    const auto frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    const int64_t perMs = std::max<int64_t>(1, frequency / 1000);
    const int64_t left = until - now;
    if (left < 2 * perMs) {
        const int64_t yieldSpan = frequency * kYieldMicros / 1000000;
        if (left > yieldSpan)
            std::this_thread::sleep_for(std::chrono::nanoseconds((left - yieldSpan) * 1000000000 / frequency));
        YieldUntil(until);
        return;
    }
    const auto ms = static_cast<int>(std::min<int64_t>(left / perMs - 1, INT_MAX));
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, ms)) TranslateEvent(event);
}

}  // namespace

#if defined(__linux__)

bool SocketHasData(int fd) {
    pollfd socket{fd, POLLIN, 0};
    return ::poll(&socket, 1, 0) > 0;
}

void WakeMainThread() {
    const char byte = 1;
    if (Waker().write >= 0) (void)!::write(Waker().write, &byte, 1);
}

#else

bool SocketHasData(int) { return true; }
void WakeMainThread() {}

#endif

}  // namespace platform::sdl

namespace platform {

void WaitForMessage(int64_t deadline) {
    sdl::Backend& st = sdl::State();
    sdl::PumpEvents();
    while (queue::Empty()) {
        sdl::PresentIfDue();
        const bool presentWaiting = sdl::PresentWaiting();
        sdl::ReportPresentStats(false);
        const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
        if (now >= deadline) return;
        int64_t until = deadline;
        // A changed screen held back by the refresh limit is shown as soon as it may be.
        if (presentWaiting && sdl::NextPresentAllowed() > now) until = std::min(until, sdl::NextPresentAllowed());
        if (st.xConnection < 0) {
            sdl::WaitInSdl(until, now);
            sdl::PumpEvents();
            continue;
        }
        // Before sleeping on the socket, SDL takes what Xlib already read (a
        // present waits for the X server's answer and may read input with it).
        if (st.xLookOwed) {
            sdl::PumpEvents();
            if (!queue::Empty()) return;
        }
        if (sdl::WaitOnX(st.xConnection, until, now)) {
            st.xLookOwed = true;
            sdl::PumpEvents();
        } else {
            // Events other threads pushed need no look at the X socket.
            sdl::TakePushedEvents();
        }
    }
}

void Sleep(uint32_t ms) {
    sdl::PresentIfDue();
    SDL_Delay(ms);
    sdl::PumpEvents();
}

}  // namespace platform
