// What the mixer's buffer size costs and gives: for each size, how long an
// effect waits before it is mixed, what a sound card adds, and the audio
// thread's share of a core while a MIDI piece plays. A figure to choose by,
// not a test. Run it from the program folder (it plays 01-drift.mid):
//   bench_sdl_audio_buffer [seconds of music per size, default 5]
// The mixer runs on SDL's dummy driver, which keeps real time.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dirent.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

// Run time of the audio thread so far, in seconds.
double AudioThreadSeconds() {
    double seconds = 0;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) return 0;
    while (dirent* task = readdir(tasks)) {
        if (task->d_name[0] == '.') continue;
        const std::string base = std::string("/proc/self/task/") + task->d_name;
        std::string name;
        std::ifstream(base + "/comm") >> name;
        if (name.rfind("SDLAudio", 0) != 0) continue;
        unsigned long long ns = 0;
        std::ifstream(base + "/schedstat") >> ns;
        seconds += double(ns) / 1e9;
    }
    closedir(tasks);
    return seconds;
}

struct Figures {
    double meanMs = 0, maxMs = 0, cpuPercent = 0;
};

// The audio thread notes when a mix first carries the click.
std::atomic<Uint64> clickMixedAt{0};

void SDLCALL FindClick(void*, Uint8* stream, int bytes) {
    if (clickMixedAt.load() != 0) return;
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < bytes / 2; ++i)
        if (samples[i] >= 20000) {
            clickMixedAt.store(SDL_GetPerformanceCounter());
            return;
        }
}

Figures Measure(int samples, double musicSeconds) {
    Figures f;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, samples) != 0) {
        std::fprintf(stderr, "no mixer: %s\n", SDL_GetError());
        std::exit(1);
    }
    Mix_AllocateChannels(4);
    Mix_SetPostMix(FindClick, nullptr);
    // A click: 5 ms at full scale, in the device's own format.
    std::vector<Sint16> click(static_cast<size_t>(kRate / 200) * 2, 30000);
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(click.data()),
                                         static_cast<Uint32>(click.size() * sizeof(Sint16)));
    std::mt19937 random(3);
    const double frequency = double(SDL_GetPerformanceFrequency());
    int found = 0;
    for (int i = 0; i < 40; ++i) {
        SDL_Delay(20 + random() % 80);
        clickMixedAt.store(0);
        const Uint64 played = SDL_GetPerformanceCounter();
        Mix_PlayChannel(0, chunk, 0);
        SDL_Delay(250);
        const Uint64 mixed = clickMixedAt.load();
        if (mixed == 0) continue;
        const double ms = double(mixed - played) * 1000 / frequency;
        f.meanMs += ms;
        f.maxMs = std::max(f.maxMs, ms);
        ++found;
    }
    if (found) f.meanMs /= found;
    Mix_SetPostMix(nullptr, nullptr);

    // The piece, for the cost of synthesis at this size.
    Mix_Music* music = Mix_LoadMUS("01-drift.mid");
    if (music && Mix_PlayMusic(music, -1) == 0) {
        SDL_Delay(500);
        const double before = AudioThreadSeconds();
        SDL_Delay(static_cast<Uint32>(musicSeconds * 1000));
        f.cpuPercent = 100 * (AudioThreadSeconds() - before) / musicSeconds;
        Mix_HaltMusic();
    } else {
        f.cpuPercent = -1;
    }
    if (music) Mix_FreeMusic(music);
    Mix_FreeChunk(chunk);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Mix_Init(MIX_INIT_MID);
    Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
    std::printf("mixer buffer at %d Hz: how long an effect waits to be mixed (measured), that plus the sound\n", kRate);
    std::printf("card's own queue (one more buffer with SDL's ALSA and PulseAudio set-ups), and the audio thread's\n");
    std::printf("share of a core while a piece plays (measured)\n");
    std::printf("%8s %9s %10s %10s %12s %12s\n", "frames", "buffer", "mixed in", "mixed in", "heard in", "audio thread");
    std::printf("%8s %9s %10s %10s %12s %12s\n", "", "ms", "mean ms", "max ms", "max ms", "% of a core");
    for (const int samples : {256, 512, 1024, 2048}) {
        const Figures f = Measure(samples, seconds);
        const double bufferMs = 1000.0 * samples / kRate;
        std::printf("%8d %9.1f %10.1f %10.1f %12.1f %12.2f\n", samples, bufferMs, f.meanMs, f.maxMs,
                    f.maxMs + bufferMs, f.cpuPercent);
    }
    Mix_Quit();
    SDL_Quit();
    return 0;
}
