// Any bytes as an effect's wave file: the reader must never read past them, and
// whatever it accepts must lie wholly inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveLayout wave;
    if (!ParseWaveFile(data, size, wave)) return 0;
    if (wave.dataOffset > size || wave.dataSize > size - wave.dataOffset) std::abort();
    // Touch every sample byte so the address sanitizer sees any overrun.
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < wave.dataSize; ++i) sum = static_cast<uint8_t>(sum + data[wave.dataOffset + i]);
    (void)sum;
    return 0;
}
