// PCM wave files with the plain 44-byte header the game's loader expects.
#pragma once

#include <cstdint>
#include <vector>

namespace wave_file {

// Mono 16-bit PCM; "fmt " directly followed by "data" at offset 36.
std::vector<std::uint8_t> EncodeMono16(const std::vector<std::int16_t>& samples, int sampleRate);

}  // namespace wave_file
