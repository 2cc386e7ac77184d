// The settings files: "torvanex.cfg" with the sound and music switches, which a
// player may edit, and the one-byte files of the skin, the game mode and the level.
#include "persist/settings.h"

#include <cstdint>
#include <string>

#include "board/board_state.h"
#include "persist/top_scores.h"
#include "platform/platform.h"
#include "services/files.h"
#include "services/messages.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace {

const char* const kConfigFileName = "torvanex.cfg";
// Lines 1 and 3 of "torvanex.cfg", for the player who opens it.
const char* const kConfigComments[2] = {
    "Set sound: 1 - on, 0 - off.",
    "Set midi on/off: 1 - on, 0 - off.",
};

struct ByteSetting {
    const char* name;
    int32_t* value;
    int32_t highest;  // anything above reads as 0
};

// In the order they are read and written.
void ForEachByteSetting(void (*action)(const ByteSetting&)) {
    const ByteSetting settings[] = {
        {"nskin", &Game.SkinIndex, 2},
        {"ngame", &Game.GameMode, 2},
        {"level", &Game.Level, 1},
    };
    for (const ByteSetting& setting : settings) action(setting);
}

std::string ConfigText(bool soundOn, bool musicOn) {
    std::string text;
    text.append(kConfigComments[0]).append("\r\n");
    text.append(soundOn ? "1" : "0").append("\r\n");
    text.append(kConfigComments[1]).append("\r\n");
    text.append(musicOn ? "1" : "0").append("\r\n");
    return text;
}

// False when the file cannot be opened, read or closed. The configuration file
// never ends the game, so nothing is left for CheckIo.
bool ReadConfigFile(ConfigReader& reader) {
    platform::File* file = nullptr;
    if (platform::OpenFile(SaveFile(kConfigFileName), platform::FileMode::Read, file) != platform::kFileOk)
        return false;
    bool readAll = true;
    char buffer[512];
    for (;;) {
        size_t got = 0;
        if (platform::ReadFile(file, buffer, sizeof buffer, got) != platform::kFileOk) {
            readAll = false;
            break;
        }
        if (got == 0 || !reader.Take(buffer, got)) break;
    }
    const bool closed = platform::CloseFile(file) == platform::kFileOk;
    return readAll && closed;
}

void SwitchSoundOn() {
    Sound.SoundOn = 1;
    Sound.SoundNeedsSetup = 0;
}

void SwitchMusicOn() {
    Music.MusicOn = 1;
    Music.MidiUnchecked = 0;
}

// Both switches on, in the file and in memory. When the file cannot be written
// the options stay as far as they were read, and nothing is said.
void WriteDefaultConfig() {
    const std::string text = ConfigText(true, true);
    if (platform::ReplaceFileAtomically(SaveFile(kConfigFileName), text.data(), text.size()) != platform::kFileOk)
        return;
    SwitchSoundOn();
    SwitchMusicOn();
}

void LoadByteSetting(const ByteSetting& setting) {
    platform::File* file = OpenGameFile(SaveFile(setting.name), platform::FileMode::Read);
    if (!file) {
        TakeLastIoResult();  // a missing settings file keeps the built-in value
        return;
    }
    uint8_t byte = 0;
    ReadGameFile(file, &byte, 1);
    CheckIo();
    *setting.value = byte > setting.highest ? 0 : byte;
    CloseGameFile(file);
    CheckIo();
}

void SaveByteSetting(const ByteSetting& setting) {
    const auto byte = static_cast<uint8_t>(*setting.value);
    SetLastIoResult(platform::ReplaceFileAtomically(SaveFile(setting.name), &byte, 1));
    CheckIo();
}

}  // namespace

bool ConfigReader::Take(const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const char c = bytes[i];
        if (lineStart_ && (line_ == 2 || line_ == 4)) {
            const ConfigSwitch value = c == '1' ? ConfigSwitch::On : c == '0' ? ConfigSwitch::Off : ConfigSwitch::Invalid;
            (line_ == 2 ? switches_.sound : switches_.music) = value;
            // A bad line 2 already sends the file to the default writer.
            if (line_ == 4 || value == ConfigSwitch::Invalid) return false;
        }
        lineStart_ = c == '\n';
        if (lineStart_) ++line_;
    }
    return true;
}

void LoadConfig() {
    ConfigReader reader;
    const bool read = ReadConfigFile(reader);
    const ConfigSwitches& switches = reader.Switches();
    // "0" changes nothing: the built-in values are off.
    if (switches.sound == ConfigSwitch::On) SwitchSoundOn();
    if (switches.sound != ConfigSwitch::Invalid && switches.music == ConfigSwitch::On) SwitchMusicOn();
    if (read && switches.sound != ConfigSwitch::Invalid && switches.music != ConfigSwitch::Invalid) return;
    WriteDefaultConfig();
}

void LoadByteSettings() {
    // The front end sets ScoresViewMode to the game mode right after this call,
    // so the top-score screen opens on the mode the player last chose.
    ForEachByteSetting(LoadByteSetting);
}

void SaveAll() {
    // Saved once per run, whichever way the run ends first.
    if (Persist.SavedAll) return;
    Persist.SavedAll = 1;
    SaveTopScores();
    const std::string text = ConfigText(Sound.SoundOn != 0, Music.MusicOn != 0);
    // A configuration file that cannot be written ends the save without a word:
    // the one-byte files are not written either.
    if (platform::ReplaceFileAtomically(SaveFile(kConfigFileName), text.data(), text.size()) != platform::kFileOk)
        return;
    ForEachByteSetting(SaveByteSetting);
}
