// Sound and music of the headless backend: nothing is heard, everything is
// recorded, and every device can be made to fail.
#include <cstring>
#include <filesystem>

#include "platform/common/message_queue.h"
#include "platform/headless/headless.h"

namespace platform {
namespace {

headless::State& S() { return headless::Get(); }

// "07.wav" and "/any/folder/07.wav" are effect 7.
int EffectNumberOf(const std::string& source) {
    const std::string name = std::filesystem::path(source).filename().string();
    if (name.size() != 6 || name.compare(2, 4, ".wav") != 0) return 0;
    if (name[0] < '0' || name[0] > '9' || name[1] < '0' || name[1] > '9') return 0;
    return (name[0] - '0') * 10 + (name[1] - '0');
}

bool IsMidiFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    File* file = nullptr;
    if (OpenFile(path, FileMode::Read, file) != kFileOk) return false;
    char magic[4] = {};
    size_t got = 0;
    const bool read = ReadFile(file, magic, sizeof magic, got) == kFileOk && got == sizeof magic;
    CloseFile(file);
    return read && std::memcmp(magic, "MThd", 4) == 0;
}

}  // namespace

bool OpenAudioDevice() {
    S().soundBuffers.clear();
    S().audioDeviceOpen = S().audioDeviceWorks;
    if (S().audioDeviceOpen) ++S().audioDeviceOpenings;
    return S().audioDeviceOpen;
}

bool CreatePrimarySoundBuffer() { return S().audioDeviceOpen && S().primaryBufferWorks; }

void CloseAudioDevice() {
    S().soundBuffers.clear();
    S().audioDeviceOpen = false;
}

bool CreateSoundBuffer(const PcmFormat& format, uint32_t bytes, SoundHandle& out, const std::string& source) {
    out = 0;
    if (!S().audioDeviceOpen || S().soundBuffersLeft <= 0 || bytes == 0) return false;
    if (!PlayableFormat(format)) return false;
    --S().soundBuffersLeft;
    out = S().nextSoundHandle++;
    S().soundBuffers[out] = headless::SoundBufferRecord{format, bytes, source, {}};
    return true;
}

bool FillSoundBuffer(SoundHandle buffer, const uint8_t* data, uint32_t bytes) {
    auto it = S().soundBuffers.find(buffer);
    if (it == S().soundBuffers.end() || bytes > it->second.bytes || !S().fillWorks) return false;
    it->second.samples.assign(data, data + bytes);
    return true;
}

bool PlaySoundBuffer(SoundHandle buffer, int channel) {
    auto it = S().soundBuffers.find(buffer);
    if (it == S().soundBuffers.end() || !S().playWorks || channel < 0 || channel > 3) return false;
    const headless::SoundBufferRecord& b = it->second;
    S().effectsPlayed.push_back(
        {EffectNumberOf(b.source), headless::NowMs(), channel, buffer, b.format, b.bytes});
    return true;
}

void StopSoundBuffer(SoundHandle) {}

void ReleaseSoundBuffer(SoundHandle buffer) { S().soundBuffers.erase(buffer); }

int MidiOutputDeviceCount() { return S().midiWorks ? 1 : 0; }

bool OpenMusic(const std::string& path) {
    S().musicCommands.push_back("open " + path);
    S().musicOpen.clear();
    S().musicPlaying = false;
    if (!S().midiWorks || !IsMidiFile(path)) return false;
    S().musicOpen = path;
    return true;
}

bool PlayMusic() {
    S().musicCommands.push_back("play");
    S().musicPlaying = !S().musicOpen.empty();
    return S().musicPlaying;
}

// As on the real backend, a piece's end still queued when the music is stopped
// or closed belongs to the stopped piece and never reaches the game.
void StopMusic() {
    S().musicCommands.push_back("stop");
    S().musicPlaying = false;
    queue::DropKind(MsgKind::MusicNotify);
}

void CloseMusic() {
    S().musicCommands.push_back("close");
    S().musicOpen.clear();
    S().musicPlaying = false;
    queue::DropKind(MsgKind::MusicNotify);
}

namespace headless {

std::vector<std::string> MusicOpened() {
    std::vector<std::string> names;
    for (const std::string& command : Get().musicCommands) {
        if (command.rfind("open ", 0) == 0) names.push_back(std::filesystem::path(command.substr(5)).filename().string());
    }
    return names;
}

}  // namespace headless
}  // namespace platform
