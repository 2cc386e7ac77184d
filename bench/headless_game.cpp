// How much faster than real time the headless backend plays ten minutes of
// mode 0 with all its drawing: a new game every minute, a press on a piece
// every half second. Tests and the simulator rely on whole games taking moments.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "board/board_state.h"
#include "platform/headless/headless.h"
#include "script.h"

namespace fs = std::filesystem;

int main() {
    std::string pattern = (fs::temp_directory_path() / "torvanex-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(TORVANEX_DATA_DIR, error)) {
        const std::string ext = entry.path().extension().string(), name = entry.path().filename().string();
        if (ext == ".wrk" || ext == ".skn" || ext == ".wav" || ext == ".mid" || name == "arial8" || name == "times16")
            fs::create_symlink(entry.path(), pattern + "/" + name, error);
    }

    SimOptions options;
    options.utc = {12, 0, 0, 0};
    options.actions = {"wait:4000"};
    uint32_t seed = 1;
    const int minutes = 10;
    for (int minute = 0; minute < minutes; ++minute) {
        options.actions.insert(options.actions.end(), {"key:Escape", "wait:300", "key:Space", "wait:700"});
        for (int press = 0; press < 118; ++press) {
            seed = seed * 134775813u + 1u;
            const int col = static_cast<int>(seed >> 8) % 12, row = static_cast<int>(seed >> 16) % 12;
            options.actions.push_back("press:" + std::to_string(col) + "," + std::to_string(row) +
                                      ((seed >> 28) & 1 ? ",left" : ",right"));
            options.actions.push_back("wait:500");
        }
    }
    const auto start = std::chrono::steady_clock::now();
    const SimResult run = RunScript(options, pattern);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double virtualSeconds = platform::headless::NowMs() / 1000.0;
    const auto& effects = platform::headless::Get().effectsPlayed;
    int explosions = 0, pieces = 0;
    for (const auto& e : effects) {
        explosions += e.effect == 12;
        pieces += e.effect == 1;
    }
    std::printf("headless mode-0 play: %.0f s of virtual time in %.3f s of real time: %.0f times faster\n",
                virtualSeconds, seconds, virtualSeconds / seconds);
    std::printf("games started: %d, pieces arrived: %d, cells exploded: %d, effects played: %zu, status %d\n",
                minutes, pieces, explosions, effects.size(), run.status);
    fs::remove_all(pattern, error);
    return run.status;
}
