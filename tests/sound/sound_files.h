// Small wave and MIDI files the sound tests write for themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WaveParts {
    uint16_t channels = 1;
    uint32_t rate = 11025;
    uint16_t bits = 8;
    std::vector<uint8_t> samples = std::vector<uint8_t>(100, 0x80);
    std::string beforeData;         // bytes between the format chunk and "data"
    int64_t declaredDataSize = -1;  // -1: the true size
};

// RIFF, a 16-byte "fmt " chunk, then the data chunk, as sound editors write them.
inline std::vector<uint8_t> WaveBytes(const WaveParts& s) {
    std::vector<uint8_t> out;
    const auto le = [&out](uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const auto text = [&out](const std::string& t) {
        for (const char c : t) out.push_back(static_cast<uint8_t>(c));
    };
    const uint32_t blockAlign = s.channels * s.bits / 8u;
    text("RIFF");
    le(36 + s.beforeData.size() + s.samples.size(), 4);
    text("WAVEfmt ");
    for (const auto& [value, bytes] : {std::pair<uint64_t, int>{16, 4}, {1, 2}, {s.channels, 2}, {s.rate, 4},
                                       {s.rate * blockAlign, 4}, {blockAlign, 2}, {s.bits, 2}})
        le(value, bytes);
    text(s.beforeData + "data");
    le(s.declaredDataSize < 0 ? s.samples.size() : uint64_t(s.declaredDataSize), 4);
    for (const uint8_t b : s.samples) out.push_back(b);
    return out;
}

// One track holding middle C for half a second.
inline const std::vector<uint8_t> kMidiPiece = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,                    // format 0, 96 ticks a beat
    'M', 'T', 'r', 'k', 0, 0, 0, 12,                                      //
    0x00, 0x90, 60, 100, 0x60, 0x80, 60, 64, 0x00, 0xFF, 0x2F, 0x00};     // on, a beat later off, end
