#include "sound/effects.h"

#include <vector>

#include "graphics/surfaces.h"
#include "graphics/wait.h"
#include "services/files.h"
#include "services/messages.h"
#include "sound/wave_file.h"

SoundState Sound;

void ResetSoundState() { Sound = SoundState{}; }

namespace {

// The placeholders only prove at set-up that buffers can be made; every play
// replaces its slot's buffer with one in the file's own format.
constexpr platform::PcmFormat kPlaceholderFormat{1, 11050, 11050, 1, 8};
constexpr uint32_t kPlaceholderBytes = 11050;
constexpr int64_t kPacedEffectPauseMs = 50;

// Closes the effect file however LoadEffectFile is left, the fatal exit included.
class EffectFile {
public:
    explicit EffectFile(platform::File* file) : file_(file) {}
    EffectFile(const EffectFile&) = delete;
    EffectFile& operator=(const EffectFile&) = delete;
    ~EffectFile() {
        CloseGameFile(file_);
        // Every read was already checked; a failed close must not be blamed
        // on whatever file the game checks next.
        TakeLastIoResult();
    }
    platform::File* get() const { return file_; }

private:
    platform::File* file_;
};

constexpr int64_t kLargestEffectFile = 16 << 20;

// Sized by the file itself, never by what its header declares: a header that
// claims more samples than the file holds is then found as a short read.
std::vector<uint8_t> ReadWholeFile(platform::File* file, int64_t size) {
    std::vector<uint8_t> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    ReadGameFile(file, bytes.data(), bytes.size());
    CheckIo();
    return bytes;
}

void SwitchSoundOff() {
    Sound.SoundOn = 0;
    Sound.SoundNeedsSetup = 1;
}

}  // namespace

bool InitSound() {
    if (!platform::OpenAudioDevice()) return false;
    Sound.SoundDevice = true;
    Sound.PrimaryBuffer = platform::CreatePrimarySoundBuffer();
    if (!Sound.PrimaryBuffer) ShowMessage("Can't initialize sound.Playing without sound.", platform::kMbOk);
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        if (!platform::CreateSoundBuffer(kPlaceholderFormat, kPlaceholderBytes, Sound.EffectSlots[slot])) {
            ShowMessage("Can't create sound buffer. Playing without sound.", platform::kMbOk);
            return false;
        }
    }
    Sound.SoundOn = 1;
    Sound.SoundNeedsSetup = 0;
    return true;
}

std::string EffectFileName(int32_t n) {
    const auto number = static_cast<uint32_t>(n);
    std::string name = "00.wav";
    name[0] = static_cast<char>('0' + number / 10 % 10);
    name[1] = static_cast<char>('0' + number % 10);
    return Files.ProgramFolder + name;
}

bool FillSoundBuffer(platform::SoundHandle buffer, const uint8_t* data, uint32_t size) {
    return platform::FillSoundBuffer(buffer, data, size);
}

bool LoadEffectFile(int slot, const std::string& path) {
    platform::File* opened = OpenGameFile(path, platform::FileMode::Read);
    if (!opened) {
        // A missing effect only silences the game; it is no file error.
        TakeLastIoResult();
        return false;
    }
    EffectFile file(opened);
    // An effect is read whole at every play: a file far larger than any effect
    // (a few seconds of sound) is refused unread, as formats no card plays are.
    const int64_t size = GameFileSize(file.get());
    if (size > kLargestEffectFile) return false;
    const std::vector<uint8_t> bytes = ReadWholeFile(file.get(), size);
    WaveLayout wave;
    if (!ParseWaveFile(bytes.data(), bytes.size(), wave)) {
        SetLastIoResult(kIoShortRead);
        CheckIo();
    }
    // Other formats would cost a conversion out of all proportion to the file;
    // such an effect switches sound off like any other failure.
    if (!platform::PlayableFormat(wave.format)) return false;
    platform::SoundHandle& buffer = Sound.EffectSlots[slot];
    if (!platform::CreateSoundBuffer(wave.format, wave.dataSize, buffer, path)) return false;
    return FillSoundBuffer(buffer, bytes.data() + wave.dataOffset, wave.dataSize);
}

void PlayEffect(int32_t n) {
    if (!Sound.SoundOn) return;
    const int slot = Sound.NextEffectSlot;
    platform::SoundHandle& buffer = Sound.EffectSlots[slot];
    // An empty slot means the device was never set up, or a play failed in it.
    if (buffer != 0) {
        platform::StopSoundBuffer(buffer);
        platform::ReleaseSoundBuffer(buffer);
        buffer = 0;
        if (LoadEffectFile(slot, EffectFileName(n)) && platform::PlaySoundBuffer(buffer, slot)) {
            Sound.NextEffectSlot = (slot + 1) % kEffectSlotCount;
            return;
        }
    }
    SwitchSoundOff();
}

void PlayEffectPaced(int32_t n, int slot) {
    if (slot != PrimarySlot) return;
    PlayEffect(n);
    WaitMs(true, kPacedEffectPauseMs);
}

void ShutdownSound() {
    if (Sound.SoundNeedsSetup) return;
    for (platform::SoundHandle& buffer : Sound.EffectSlots) {
        if (buffer != 0) platform::ReleaseSoundBuffer(buffer);
        buffer = 0;
    }
    Sound.PrimaryBuffer = false;
    if (Sound.SoundDevice) platform::CloseAudioDevice();
    Sound.SoundDevice = false;
}

void SoundButton() {
    if (Sound.SoundNeedsSetup) {
        InitSound();
    } else {
        Sound.SoundOn = 1 - Sound.SoundOn;
    }
}
