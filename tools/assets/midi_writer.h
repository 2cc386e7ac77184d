// Standard MIDI files (format 1) from lists of timed events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace midi {

constexpr int kTicksPerQuarter = 480;
constexpr int kDrumChannel = 9;  // "channel 10" in General MIDI's counting

class Track {
public:
    explicit Track(const std::string& name);
    void Tempo(int tick, double quarterNotesPerMinute);
    void TimeSignature(int tick, int numerator, int denominator);
    void Program(int tick, int channel, int program);
    void Control(int tick, int channel, int controller, int value);
    void Note(int tick, int length, int channel, int key, int velocity);
    int LastTick() const;
    // Delta-timed bytes of the track chunk body, ending with end-of-track.
    std::vector<std::uint8_t> Encode() const;

private:
    struct Event {
        int tick;
        int order;  // at equal ticks: meta and set-up first, then note-offs, then note-ons
        std::vector<std::uint8_t> bytes;
    };
    void Add(int tick, int order, std::vector<std::uint8_t> bytes);
    std::vector<Event> events_;
};

std::vector<std::uint8_t> EncodeFile(const std::vector<Track>& tracks);

}  // namespace midi
