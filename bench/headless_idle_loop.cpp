// How fast the headless backend runs ten minutes of an idle main loop: the
// virtual clock jumps from tick to tick, so tests and the simulator can play
// whole games in moments.
#include <chrono>
#include <cstdio>
#include <string>

#include "board/board_state.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

int main() {
    platform::headless::Reset();
    ResetProgramState();
    platform::headless::Get().executablePath = std::string(TORVANEX_DATA_DIR) + "/torvanex";
    if (!StartUp()) return 1;
    const auto start = std::chrono::steady_clock::now();
    int64_t passes = 0;
    const int64_t tenMinutes = 10 * 60 * 1000;
    while (platform::headless::NowMs() < tenMinutes) {
        RunPass();
        ++passes;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("headless idle main loop: %.0f s of virtual time in %.3f s of real time\n", tenMinutes / 1000.0,
                seconds);
    std::printf("passes: %lld, frame ticks: %lld\n", static_cast<long long>(passes),
                static_cast<long long>(Game.SpawnTimer / 55));
    return 0;
}
