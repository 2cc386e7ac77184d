// The clock: SDL's high-resolution counter, and the UTC time of day that
// seeds the random numbers.
#include <ctime>

#include "platform/sdl/sdl_backend.h"

namespace platform {

int64_t CounterFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

int64_t ReadCounter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

TimeOfDay UtcTimeOfDay() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    return {utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(now.tv_nsec / 1000000)};
}

}  // namespace platform
