#include "wave_file.h"

#include "data_out.h"

namespace wave_file {

std::vector<std::uint8_t> EncodeMono16(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(t[i]));
    };
    tag("RIFF");
    data_out::PutU32(out, 36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    data_out::PutU32(out, 16);
    data_out::PutU16(out, 1);  // PCM
    data_out::PutU16(out, 1);  // mono
    data_out::PutU32(out, static_cast<std::uint32_t>(sampleRate));
    data_out::PutU32(out, static_cast<std::uint32_t>(sampleRate * 2));
    data_out::PutU16(out, 2);
    data_out::PutU16(out, 16);
    tag("data");
    data_out::PutU32(out, dataSize);
    for (std::int16_t s : samples) data_out::PutU16(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace wave_file
