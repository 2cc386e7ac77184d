// Wave effects by number, played through four buffers in turn.
#pragma once

#include <cstdint>
#include <string>

// The sound switch and the device's state; the effect buffers are the module's own.
struct SoundState {
    uint8_t SoundOn = 0;
    uint8_t SoundNeedsSetup = 1;
};
extern SoundState Sound;
void ResetSoundState();

bool InitSound();
// Plays effect n (01.wav .. 99.wav); any failure switches sound off silently.
void PlayEffect(int32_t n);
// Effect n and a 50 ms pause when drawing on the screen; nothing otherwise.
void PlayEffectPaced(int32_t n, int slot);
void ShutdownSound();
