// The one program-wide random generator.
#pragma once

#include <cstdint>

struct RandomState {
    uint32_t Seed = 0;
    uint32_t LastReseed = 0;  // the value the generator was last seeded with
};
extern RandomState Random;

// Steps the state and returns a value in 0..n - 1.
uint32_t RandomBelow(uint32_t n);
// ((hour x 60 + minute) x 60 + second) x 1000 + millisecond of the UTC time now.
uint32_t ClockSeed();
void ReseedRandom();
void SeedRandom(uint32_t seed);
