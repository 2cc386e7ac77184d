// Stand-in until the settings files are built: sound and music are on, as
// without a settings file, and nothing is saved.
#include "persist/settings.h"

#include "sound/effects.h"
#include "sound/music.h"

void LoadConfig() {
    Sound.SoundOn = 1;
    Sound.SoundNeedsSetup = 0;
    Music.MusicOn = 1;
    Music.MidiUnchecked = 0;
}
void LoadByteSettings() {}
void SaveAll() {}
