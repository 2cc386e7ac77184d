#include "midi_writer.h"

#include <algorithm>
#include <cmath>

namespace midi {
namespace {

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

}  // namespace

Track::Track(const std::string& name) {
    std::vector<std::uint8_t> meta{0xFF, 0x03, static_cast<std::uint8_t>(name.size())};
    meta.insert(meta.end(), name.begin(), name.end());
    Add(0, 0, meta);
}

void Track::Add(int tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({std::max(tick, 0), order, std::move(bytes)});
}

void Track::Tempo(int tick, double quarterNotesPerMinute) {
    auto micros = static_cast<std::uint32_t>(std::lround(60000000.0 / quarterNotesPerMinute));
    Add(tick, 0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16),
                  static_cast<std::uint8_t>(micros >> 8), static_cast<std::uint8_t>(micros)});
}

void Track::TimeSignature(int tick, int numerator, int denominator) {
    std::uint8_t power = 0;
    while ((1 << power) < denominator) ++power;
    Add(tick, 0, {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(numerator), power, 24, 8});
}

void Track::Program(int tick, int channel, int program) {
    Add(tick, 1, {static_cast<std::uint8_t>(0xC0 | channel), Byte(program)});
}

void Track::Control(int tick, int channel, int controller, int value) {
    Add(tick, 1, {static_cast<std::uint8_t>(0xB0 | channel), Byte(controller), Byte(value)});
}

void Track::Note(int tick, int length, int channel, int key, int velocity) {
    if (length <= 0 || key < 0 || key > 127) return;
    // A note-on of velocity 0 is a note-off; the player would hear a gap, not a note.
    int v = std::clamp(velocity, 1, 127);
    Add(tick, 3, {static_cast<std::uint8_t>(0x90 | channel), Byte(key), Byte(v)});
    Add(tick + length, 2, {static_cast<std::uint8_t>(0x80 | channel), Byte(key), 64});
}

int Track::LastTick() const {
    int last = 0;
    for (const Event& e : events_) last = std::max(last, e.tick);
    return last;
}

std::vector<std::uint8_t> Track::Encode() const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> out;
    int now = 0;
    for (const Event& e : sorted) {
        PutVarLen(out, static_cast<std::uint32_t>(e.tick - now));
        now = e.tick;
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    }
    out.insert(out.end(), {0x00, 0xFF, 0x2F, 0x00});
    return out;
}

std::vector<std::uint8_t> EncodeFile(const std::vector<Track>& tracks) {
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
    PutBigEndian(out, 6, 4);
    PutBigEndian(out, 1, 2);
    PutBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBigEndian(out, kTicksPerQuarter, 2);
    for (const Track& track : tracks) {
        std::vector<std::uint8_t> body = track.Encode();
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

}  // namespace midi
