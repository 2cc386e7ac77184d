// Weak stand-ins until the spawner lands; the real definitions replace them.
#include "board/spawn.h"

__attribute__((weak)) void SpawnStep() {}
