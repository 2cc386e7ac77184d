// Stand-in until the sound module lands: silence.
#include "sound/effects.h"
#include "sound/music.h"

SoundState Sound;
MusicState Music;
void ResetSoundState() { Sound = SoundState{}; }
void ResetMusicState() { Music = MusicState{}; }
bool InitSound() { return false; }
void PlayEffect(int32_t) {}
void PlayEffectPaced(int32_t, int) {}
void ShutdownSound() {}
void ScanMusicFiles() {}
bool CheckMidiDevice() { return false; }
void PlayNextMusic() {}
void StopMusic() {}
void CloseMusic() {}
void MusicButton() {}
