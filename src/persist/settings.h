// The options kept between runs: the skin, the game mode and the level in
// three one-byte files, and the sound and music switches in "torvanex.cfg".
#pragma once

#include <cstddef>

// Reads "torvanex.cfg" before the sound and music devices are set up; a
// missing or damaged file is replaced by one that turns both on.
void LoadConfig();
// Reads "nskin", "ngame" and "level"; a missing file keeps the built-in value,
// a value out of range becomes 0, an empty or unreadable file is fatal.
void LoadByteSettings();
// Writes the top scores (when they changed), "torvanex.cfg" and the three
// one-byte files. Runs once per run: a second call does nothing.
void SaveAll();

// What lines 2 and 4 of "torvanex.cfg" say: only their first character counts.
enum class ConfigSwitch { On, Off, Invalid };  // Invalid: missing, empty or another character
struct ConfigSwitches {
    ConfigSwitch sound = ConfigSwitch::Invalid;
    ConfigSwitch music = ConfigSwitch::Invalid;
};

// Follows the file byte by byte, so a line of any length costs no memory.
class ConfigReader {
public:
    // Takes the next bytes; false once lines 2 and 4 are both known.
    bool Take(const char* bytes, size_t count);
    const ConfigSwitches& Switches() const { return switches_; }

private:
    int line_ = 1;
    bool lineStart_ = true;
    ConfigSwitches switches_;
};
