// Sound and music of the headless backend: nothing is heard, everything is
// recorded, and every device can be made to fail.
#include <map>

#include "platform/common/message_queue.h"
#include "platform/headless/headless.h"

namespace platform {
namespace {

struct Buffer {
    PcmFormat format;
    uint32_t bytes = 0;
    bool filled = false;
};
std::map<SoundHandle, Buffer> buffers;
SoundHandle nextHandle = 1;
bool deviceOpen = false;

headless::State& S() { return headless::Get(); }

}  // namespace

bool OpenAudioDevice() {
    buffers.clear();
    deviceOpen = S().audioDeviceWorks;
    return deviceOpen;
}

bool CreatePrimarySoundBuffer() { return deviceOpen && S().primaryBufferWorks; }

void CloseAudioDevice() {
    buffers.clear();
    deviceOpen = false;
}

bool CreateSoundBuffer(const PcmFormat& format, uint32_t bytes, SoundHandle& out) {
    out = 0;
    if (!deviceOpen || S().soundBuffersLeft <= 0) return false;
    --S().soundBuffersLeft;
    out = nextHandle++;
    buffers[out] = Buffer{format, bytes, false};
    return true;
}

bool FillSoundBuffer(SoundHandle buffer, const uint8_t*, uint32_t bytes) {
    auto it = buffers.find(buffer);
    if (it == buffers.end() || bytes > it->second.bytes) return false;
    it->second.filled = true;
    return true;
}

bool PlaySoundBuffer(SoundHandle buffer, int channel) {
    auto it = buffers.find(buffer);
    if (it == buffers.end() || !S().playWorks) return false;
    S().effectsPlayed.push_back({headless::NowMs(), channel, buffer, it->second.format, it->second.bytes});
    return true;
}

void StopSoundBuffer(SoundHandle) {}

void ReleaseSoundBuffer(SoundHandle buffer) { buffers.erase(buffer); }

int MidiOutputDeviceCount() { return S().midiWorks ? 1 : 0; }

bool OpenMusic(const std::string& path) {
    S().musicCommands.push_back("open " + path);
    if (!S().midiWorks || !FileExists(path)) return false;
    S().musicOpen = path;
    return true;
}

bool PlayMusic() {
    S().musicCommands.push_back("play");
    return !S().musicOpen.empty();
}

void StopMusic() { S().musicCommands.push_back("stop"); }

void CloseMusic() {
    S().musicCommands.push_back("close");
    S().musicOpen.clear();
}

}  // namespace platform
