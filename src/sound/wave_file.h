// Where the format and the samples of an effect's wave file lie. Pure: works on
// bytes already read, so the fuzzer can drive it with anything.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

struct WaveLayout {
    platform::PcmFormat format;
    size_t dataOffset = 0;   // first sample byte
    uint32_t dataSize = 0;
};

// The game reads a wave file its own simple way: the five format fields at
// offsets 22..35 (the format tag is taken as PCM), then the first "data" tag at
// or after offset 34, wherever it lies, followed by the sample count in bytes.
// False when the bytes end before the fields, before a "data" tag and its size,
// or before the samples the tag declares: the file is shorter than it claims.
bool ParseWaveFile(const uint8_t* bytes, size_t size, WaveLayout& out);
