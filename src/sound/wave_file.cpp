#include "sound/wave_file.h"

#include <cstring>

namespace {

constexpr size_t kFormatFieldsAt = 22;
constexpr size_t kFormatFieldsEnd = 36;
// Bits per sample (34..35) may itself hold the first bytes of the tag: the
// search starts there on purpose, as the game has always read its files.
constexpr size_t kDataSearchFrom = 34;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool ParseWaveFile(const uint8_t* bytes, size_t size, WaveLayout& out) {
    out = WaveLayout{};
    if (!bytes || size < kFormatFieldsEnd) return false;
    const uint8_t* fields = bytes + kFormatFieldsAt;
    out.format.channels = Le16(fields);
    out.format.samplesPerSecond = Le32(fields + 2);
    out.format.averageBytesPerSecond = Le32(fields + 6);
    out.format.blockAlign = Le16(fields + 10);
    out.format.bitsPerSample = Le16(fields + 12);

    for (size_t tag = kDataSearchFrom; size - tag >= 8; ++tag) {
        if (std::memcmp(bytes + tag, "data", 4) != 0) continue;
        const uint32_t declared = Le32(bytes + tag + 4);
        const size_t first = tag + 8;
        if (declared > size - first) return false;
        out.dataOffset = first;
        out.dataSize = declared;
        return true;
    }
    return false;
}
