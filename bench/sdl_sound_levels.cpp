// How loud the effects and the music pieces are as the game plays them: the
// effects from their files, each piece rendered whole by the mixer's MIDI
// synthesiser with the soundfont the game uses, as fast as the machine allows
// (SDL's disk driver without its real-time pacing). Figures, not a test.
// Run it from the program folder:
//   bench_sdl_sound_levels [piece.mid ...]     (default: every piece there)
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/piece_render.h"
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

double Piece(PieceRenderer& renderer, const std::string& path) {
    const sm::Samples x = renderer.Render(path);
    if (x.empty()) {
        std::printf("%-22s cannot be loaded: %s\n", path.c_str(), Mix_GetError());
        return 0;
    }
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
    return static_cast<double>(x.size()) / kRate;
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
    PieceRenderer renderer;
    if (!renderer.Ready()) {
        std::printf("no mixer or soundfont: %s\n", Mix_GetError());
        return 1;
    }
    std::printf("piece                  length   level over the piece\n");
    double total = 0;
    for (const std::string& piece : pieces) total += Piece(renderer, piece);
    std::printf("%zu pieces, %.1f minutes\n", pieces.size(), total / 60);
    return 0;
}
