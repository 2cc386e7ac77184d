// Any bytes as an effect's wave file, loaded as the game plays an effect: the
// wave reader, a buffer in the file's format and the real backend's conversion
// to the sound card's samples (on SDL's dummy audio driver). Nothing may be
// read or written outside the file or the buffers, whatever rate, channel
// count, sample size or length the header claims.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/wave_file.h"

namespace {

int wave = -1;  // the file, in memory
std::string path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ResetProgramState();
    if (!InitSound()) std::abort();
    wave = memfd_create("effect", 0);
    if (wave < 0) std::abort();
    path = "/proc/self/fd/" + std::to_string(wave);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A file shorter than its header claims ends the game with a file error;
    // the wave reader's own target meets those.
    WaveLayout layout;
    if (!ParseWaveFile(data, size, layout)) return 0;
    if (ftruncate(wave, 0) != 0 || pwrite(wave, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    platform::SoundHandle& buffer = Sound.EffectSlots[0];
    if (buffer != 0) platform::ReleaseSoundBuffer(buffer);
    buffer = 0;
    // A play that fails only switches the game's sound off: samples so few
    // that the conversion leaves none do that.
    if (LoadEffectFile(0, path) && platform::PlaySoundBuffer(buffer, 0)) platform::StopSoundBuffer(buffer);
    return 0;
}
