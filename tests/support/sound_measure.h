// Loudness and spectrum figures of the game's sounds, as a listener would judge
// them: shared by the data-file checks and the sound-level bench.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace sound_measure {

// Samples in full-scale units (1.0 = the 16-bit limit).
using Samples = std::vector<double>;

inline double Db(double rms) { return 20.0 * std::log10(std::max(rms, 1e-9)); }

inline double RmsDb(const Samples& x) {
    double sum = 0.0;
    for (double v : x) sum += v * v;
    return Db(x.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(x.size())));
}

inline double PeakDb(const Samples& x) {
    double peak = 0.0;
    for (double v : x) peak = std::max(peak, std::fabs(v));
    return Db(peak);
}

// How loud an effect sounds: the RMS of its loudest 50 ms. A whole-file RMS would
// call a short click quiet for its silence, a long tail would hide a loud attack.
inline double LoudnessDb(const Samples& x, int rate) {
    const size_t window = static_cast<size_t>(rate / 20), hop = std::max<size_t>(1, window / 10);
    if (x.size() <= window) return RmsDb(x);
    double loudest = 0.0;
    for (size_t at = 0; at + window <= x.size(); at += hop) {
        double sum = 0.0;
        for (size_t i = at; i < at + window; ++i) sum += x[i] * x[i];
        loudest = std::max(loudest, sum);
    }
    return Db(std::sqrt(loudest / static_cast<double>(window)));
}

// The share of the signal's energy between lowHz and highHz (0..1).
inline double BandShare(const Samples& x, int rate, double lowHz, double highHz) {
    size_t n = 1;
    while (n < x.size()) n *= 2;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < x.size(); ++i) a[i] = x[i];
    for (size_t i = 1, j = 0; i < n; ++i) {  // iterative radix-2 FFT
        size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len *= 2) {
        const std::complex<double> w = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1.0;
            for (size_t k = 0; k < len / 2; ++k, wk *= w) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    double band = 0.0, all = 0.0;
    for (size_t k = 1; k < n / 2; ++k) {
        const double hz = static_cast<double>(k) * rate / static_cast<double>(n), power = std::norm(a[k]);
        all += power;
        if (hz >= lowHz && hz <= highHz) band += power;
    }
    return all > 0.0 ? band / all : 0.0;
}

}  // namespace sound_measure
