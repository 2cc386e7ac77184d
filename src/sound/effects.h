// Wave effects by number, played through four buffers in turn.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

constexpr int kEffectSlotCount = 4;

// The effects by what they tell the player; each number names its NN.wav.
namespace effect {
constexpr int32_t kPieceArrives = 1;
constexpr int32_t kNewBoard = 2;
constexpr int32_t kTurnOrStep = 3;       // a piece turned, a line drawn one step
constexpr int32_t kSpeedChanged = 4;
constexpr int32_t kLoopCleared = 5;
constexpr int32_t kGameStopped = 6;
constexpr int32_t kLevelChanged = 7;
constexpr int32_t kGameOver = 8;
constexpr int32_t kRefused = 9;          // a locked piece; a line taken back or stopped by a wall
constexpr int32_t kTitleFirstGroup = 10;
constexpr int32_t kKnock = 11;           // pieces meet across a column in mode 2
constexpr int32_t kExplosion = 12;
constexpr int32_t kTitlePiece = 13;
}  // namespace effect

struct SoundState {
    uint8_t SoundOn = 0;           // the player's sound option
    uint8_t SoundNeedsSetup = 1;   // the device must be set up before effects can play
    bool SoundDevice = false;      // the audio device is open
    bool PrimaryBuffer = false;    // the device-wide output format is set
    platform::SoundHandle EffectSlots[kEffectSlotCount] = {};
    int32_t NextEffectSlot = 0;
};
extern SoundState Sound;
void ResetSoundState();

// Opens the device and four placeholder buffers; on success sound is on.
bool InitSound();
// Plays effect n (01.wav .. 99.wav); any failure switches sound off silently.
void PlayEffect(int32_t n);
// Effect n and a 50 ms pause when drawing on the screen; nothing otherwise.
void PlayEffectPaced(int32_t n, int slot);
void ShutdownSound();
// The panel's sound button: sets the device up when it must, else toggles sound.
void SoundButton();

// ProgramFolder followed by n as two digits and ".wav".
std::string EffectFileName(int32_t n);
// Reads one wave file into a new buffer stored in `slot`. False when the file
// cannot be opened or the buffer cannot be made; a file shorter than it claims
// is a fatal file error.
bool LoadEffectFile(int slot, const std::string& path);
bool FillSoundBuffer(platform::SoundHandle buffer, const uint8_t* data, uint32_t size);
