// The program-wide generator: a 32-bit linear congruential state whose draws
// take the high half of state x n.
#include "services/random.h"

#include "platform/platform.h"

RandomState Random;

uint32_t RandomBelow(uint32_t n) {
    Random.Seed = Random.Seed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(Random.Seed) * n) >> 32);
}

uint32_t ClockSeed() {
    const platform::TimeOfDay t = platform::UtcTimeOfDay();
    return static_cast<uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

void SeedRandom(uint32_t seed) {
    Random.Seed = seed;
    Random.LastReseed = seed;
}

void ReseedRandom() { SeedRandom(ClockSeed()); }
