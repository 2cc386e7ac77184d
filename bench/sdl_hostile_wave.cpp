// What one play of a hostile effect costs the game's thread: a wave file whose
// header claims a rate no sound card plays, converted for the device. Prints
// the time the buffer took to make and fill, and how far the process's peak
// memory rose. A figure to compare builds by, not a test.
//   bench_sdl_hostile_wave [sample bytes, default 4200] [rate, default 2]
// The mixer runs on SDL's dummy driver.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

// The process's peak resident memory so far, in MiB.
double PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t bytes = argc > 1 ? static_cast<uint32_t>(std::atol(argv[1])) : 4200;
    const uint32_t rate = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 2;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!platform::OpenAudioDevice()) {
        std::fprintf(stderr, "no audio device\n");
        return 1;
    }
    std::vector<uint8_t> samples(bytes, 0x80);
    platform::PcmFormat format;
    format.samplesPerSecond = format.averageBytesPerSecond = rate;
    const double before = PeakMiB();
    const auto start = std::chrono::steady_clock::now();
    platform::SoundHandle sound = 0;
    const bool made = platform::CreateSoundBuffer(format, bytes, sound) &&
                      platform::FillSoundBuffer(sound, samples.data(), bytes);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%u sample bytes at %u Hz: %s in %.2f ms, peak memory up %.1f MiB\n", bytes, rate,
                made ? "converted" : "refused", ms, PeakMiB() - before);
    if (sound) platform::ReleaseSoundBuffer(sound);
    platform::CloseAudioDevice();
    return 0;
}
