// Background music: every MIDI piece of the program folder, one after another.
#pragma once

#include <cstdint>

// The music switch and the device check; the piece list is the module's own.
struct MusicState {
    uint8_t MusicOn = 0;
    uint8_t MidiUnchecked = 1;
    uint8_t MusicRestart = 0;
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
