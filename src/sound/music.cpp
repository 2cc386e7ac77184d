#include "sound/music.h"

#include "platform/platform.h"
#include "services/files.h"

MusicState Music;

void ResetMusicState() { Music = MusicState{}; }

namespace {

// With an empty list the path is the folder itself, which no device opens: the
// game then simply stays silent.
std::string NextMusicPath() {
    ++Music.MusicIndex;
    if (Music.MusicIndex > Music.MusicCount) Music.MusicIndex = 1;
    return Files.ProgramFolder + Music.MusicList[Music.MusicIndex];
}

}  // namespace

void ScanMusicFiles() {
    Music.MusicCount = 0;
    for (const std::string& name : platform::ListFolder(Files.ProgramFolder, ".mid")) {
        if (Music.MusicCount >= kMusicListSize) break;
        ++Music.MusicCount;
        Music.MusicList[Music.MusicCount] = name.substr(0, kMusicNameLength);
    }
}

bool CheckMidiDevice() {
    if (platform::MidiOutputDeviceCount() < 1) return false;
    Music.MusicOn = 1;
    Music.MidiUnchecked = 0;
    return true;
}

void StopMusic() {
    if (Music.MusicOn) platform::StopMusic();
}

void CloseMusic() {
    if (!Music.MusicOn) return;
    platform::CloseMusic();
    Music.MusicDevice = false;
}

void PlayNextMusic() {
    if (!Music.MusicOn) return;
    StopMusic();
    CloseMusic();
    if (!platform::OpenMusic(NextMusicPath())) return;
    Music.MusicDevice = true;
    platform::PlayMusic();
}

void MusicButton() {
    if (!Music.MidiUnchecked) {
        Music.MusicRestart = 1;
        Music.MusicOn = 1 - Music.MusicOn;
    } else if (CheckMidiDevice()) {
        Music.MusicRestart = 1;
    }
    if (Music.MusicOn && Music.MusicRestart) {
        PlayNextMusic();
        Music.MusicRestart = 0;
    }
    if (!Music.MusicOn) {
        // Stop and close act only while music is on.
        Music.MusicOn = 1;
        StopMusic();
        CloseMusic();
        Music.MusicOn = 0;
        Music.MusicRestart = 1;
    }
}
