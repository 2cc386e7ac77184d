// What the idle main loop costs on the real backend: the share of one core it
// uses and how evenly the 18-per-second frame tick comes. A figure to watch,
// not a test. Run it on a display (Xvfb will do) from the program folder:
//   bench_sdl_idle_loop [seconds, default 10]
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "services/clock.h"
#include "shell/shell.h"
#include "sound/music.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds]\n", argv[0]);
        return 2;
    }
    if (!StartUp()) {
        std::fprintf(stderr, "the game did not start (no display, or no data files beside the program?)\n");
        return 1;
    }
    // The loop alone is measured: the music's synthesis runs on the mixer's
    // own thread and is switched off here.
    StopMusic();
    CloseMusic();
    Music.MusicOn = 0;
    const int64_t frequency = Shell.CounterFrequency;
    const int64_t start = ReadCounter();
    const int64_t end = start + static_cast<int64_t>(seconds * double(frequency));
    const double cpuAtStart = CpuSeconds();
    std::vector<int64_t> ticks;
    int64_t lastTick = Shell.LastTick;
    long passes = 0;
    bool quit = false;
    while (!quit && ReadCounter() < end) {
        quit = RunPass() == PassResult::Quit;
        ++passes;
        if (Shell.LastTick != lastTick) {
            lastTick = Shell.LastTick;
            ticks.push_back(lastTick);
        }
    }
    const double wall = double(ReadCounter() - start) / double(frequency);
    const double cpu = CpuSeconds() - cpuAtStart;

    double mean = 0, shortest = 0, longest = 0;
    if (ticks.size() >= 2) {
        std::vector<double> intervals;
        for (size_t i = 1; i < ticks.size(); ++i) intervals.push_back(double(ticks[i] - ticks[i - 1]) * 1000 / double(frequency));
        mean = double(ticks.back() - ticks.front()) * 1000 / double(frequency) / double(intervals.size());
        shortest = *std::min_element(intervals.begin(), intervals.end());
        longest = *std::max_element(intervals.begin(), intervals.end());
    }
    const double tickMs = 1000.0 / 18;
    std::printf("idle main loop, %.1f s%s\n", wall, quit ? " (ended early by a quit)" : "");
    std::printf("CPU: %.2f %% of one core (%.3f s)\n", 100 * cpu / wall, cpu);
    std::printf("passes: %ld\n", passes);
    std::printf("ticks: %zu (%.2f per second)\n", ticks.size(), double(ticks.size()) / wall);
    std::printf("tick interval: mean %.2f ms, minimum %.2f ms, maximum %.2f ms (1/18 s = %.2f ms)\n", mean, shortest,
                longest, tickMs);
    std::printf("goal: CPU at most 1 %%, mean %.1f ms, no interval below %.2f ms: %s\n", tickMs, tickMs,
                (100 * cpu / wall <= 1.0 && shortest >= tickMs && mean < 55.65) ? "met" : "NOT met");
    Teardown();
    platform::DestroyMainWindow();
    return 0;
}
