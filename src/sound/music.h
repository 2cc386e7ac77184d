// Background music: every MIDI piece of the program folder, one after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kMusicListSize = 50;
constexpr size_t kMusicNameLength = 30;

struct MusicState {
    uint8_t MusicOn = 0;        // the player's music option
    uint8_t MidiUnchecked = 1;  // no MIDI output has been found yet
    uint8_t MusicRestart = 0;   // start the music again when it is next switched on
    std::string MusicList[kMusicListSize + 1];  // 1..50; 0 unused
    int32_t MusicCount = 0;
    int32_t MusicIndex = 0;     // the entry played last
    bool MusicDevice = false;   // a piece is open
};
extern MusicState Music;
void ResetMusicState();

void ScanMusicFiles();
bool CheckMidiDevice();
void PlayNextMusic();
void StopMusic();
void CloseMusic();
// The panel's music button.
void MusicButton();
