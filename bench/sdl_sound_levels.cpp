// How loud the effects and the music pieces are as the game plays them: the
// effects from their files, each piece rendered whole by the mixer's MIDI
// synthesiser with the soundfont the game uses, as fast as the machine allows
// (SDL's disk driver without its real-time pacing). Figures, not a test.
// Run it from the program folder:
//   bench_sdl_sound_levels [piece.mid ...]     (default: every piece there)
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "support/sound_measure.h"

namespace {

namespace sm = sound_measure;
constexpr int kRate = 22050;
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

sm::Samples ReadWave(const std::string& path, int& rate) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    sm::Samples x;
    if (b.size() < 44) return x;
    rate = b[24] | b[25] << 8 | b[26] << 16 | b[27] << 24;
    for (size_t at = 44; at + 1 < b.size(); at += 2) x.push_back(static_cast<std::int16_t>(b[at] | b[at + 1] << 8) / 32768.0);
    return x;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void Effects() {
    std::printf("effect  ms  peak dBFS  loudest-50ms dBFS  0.5-2kHz share  band dBFS\n");
    std::vector<double> loudness;
    double click = 0;
    for (int n = 1; n <= 13; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.wav", n);
        int rate = kRate;
        const sm::Samples x = ReadWave(name, rate);
        if (x.empty()) continue;
        const double loud = sm::LoudnessDb(x, rate), share = sm::BandShare(x, rate, 500, 2000);
        loudness.push_back(loud);
        if (n == 3) click = loud;
        std::printf("%s %4.0f  %6.1f  %6.1f  %5.1f%%  %6.1f\n", name, 1000.0 * x.size() / rate, sm::PeakDb(x), loud,
                    100 * share, loud + 10 * std::log10(std::max(share, 1e-9)));
    }
    std::printf("median effect %.1f dBFS, rotate click %+.1f dB from it\n\n", Median(loudness), click - Median(loudness));
}

// The mix, as the device would play it, gathered on the audio thread.
struct Gathered {
    std::mutex lock;  // the mixer's device is not SDL's legacy one, so SDL_LockAudio would not hold it
    std::vector<float> left;  // mono sum of the two channels
};
Gathered gathered;

void SDLCALL Gather(void*, Uint8* stream, int bytes) {
    const auto* s = reinterpret_cast<const Sint16*>(stream);
    const std::lock_guard<std::mutex> hold(gathered.lock);
    for (int i = 0; i + 1 < bytes / 2; i += 2) gathered.left.push_back(static_cast<float>((s[i] + s[i + 1]) / 65536.0));
}

void Piece(const std::string& path) {
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
        std::printf("%-22s cannot be loaded: %s\n", path.c_str(), Mix_GetError());
        return;
    }
    {
        const std::lock_guard<std::mutex> hold(gathered.lock);
        gathered.left.clear();
    }
    Mix_PlayMusic(music, 1);
    while (Mix_PlayingMusic()) SDL_Delay(20);
    Mix_FreeMusic(music);
    sm::Samples x;
    {
        const std::lock_guard<std::mutex> hold(gathered.lock);
        x.assign(gathered.left.begin(), gathered.left.end());
    }
    // The piece lasts to its last audible sample; the synthesiser's silent wait after it is not music.
    size_t end = x.size();
    while (end > 0 && std::fabs(x[end - 1]) < 1e-3) --end;
    x.resize(end);
    // Its level over the whole piece, and the loudest and quietest 10 s, for the shape of its dynamics.
    double loudest = -200, quietest = 0;
    const size_t window = 10 * kRate;
    for (size_t at = 0; at + window <= x.size(); at += window) {
        const double level = sm::RmsDb(sm::Samples(x.begin() + static_cast<long>(at), x.begin() + static_cast<long>(at + window)));
        loudest = std::max(loudest, level);
        quietest = std::min(quietest, level);
    }
    std::printf("%-22s %6.1f s  RMS %6.1f dBFS  peak %5.1f  10-s windows %6.1f..%6.1f\n", path.c_str(),
                static_cast<double>(x.size()) / kRate, sm::RmsDb(x), sm::PeakDb(x), quietest, loudest);
}

}  // namespace

int main(int argc, char** argv) {
    Effects();
    std::vector<std::string> pieces;
    for (int i = 1; i < argc; ++i) pieces.push_back(argv[i]);
    if (pieces.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator("."))
            if (entry.path().extension() == ".mid") pieces.push_back(entry.path().filename().string());
        std::sort(pieces.begin(), pieces.end());
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);  // no real-time pacing: render as fast as the synthesiser can
    if (SDL_Init(SDL_INIT_AUDIO) != 0) return 1;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 512) < 0 || !Mix_SetSoundFonts(kSoundFont)) {
        std::printf("no mixer or soundfont: %s\n", Mix_GetError());
        return 1;
    }
    Mix_SetPostMix(Gather, nullptr);
    std::printf("piece                  length   level over the piece\n");
    for (const std::string& piece : pieces) Piece(piece);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
    return 0;
}
