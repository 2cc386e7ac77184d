// Effects and music through the real mixer, heard through SDL's disk audio
// driver: it writes the mix as raw 16-bit stereo at 22050 Hz, in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "services/files.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "sound/sound_files.h"
#include "support/scratch_folder.h"

using namespace std::chrono_literals;

// Leaves no device open, skipped or not.
struct Cleanup {
    ~Cleanup() {
        StopMusic();
        CloseMusic();
        ShutdownSound();
        ResetProgramState();
    }
};

TEST(SoundThroughMixer, EffectAndPieceSoundAndOnlyThePieceEndArrivesAsMessage) {
    const ScratchFolder folder{"torvanex-sdl-sound"};
    const Cleanup cleanup;
    const std::string mix = folder.path() + "mix.raw";
    // The loudest sample the device wrote from byte `from` on.
    const auto loudestSince = [&mix](std::streamoff from) {
        std::ifstream in(mix, std::ios::binary);
        in.seekg(from);
        int loudest = 0;
        for (int16_t sample = 0; in.read(reinterpret_cast<char*>(&sample), sizeof sample);)
            loudest = std::max(loudest, std::abs(int{sample}));
        return loudest;
    };
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", mix.c_str(), 1);
    ResetProgramState();
    Files.ProgramFolder = folder.path();
    WaveParts square;   // a fifth of a second of 8-bit mono at 11025 Hz
    square.samples.resize(2205);
    for (size_t i = 0; i < square.samples.size(); ++i) square.samples[i] = i / 25 % 2 ? 0xE0 : 0x20;
    for (const auto& [name, bytes] : {std::pair{"01.wav", WaveBytes(square)}, {"a.mid", kMidiPiece}})
        std::ofstream(folder.path() + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    ASSERT_TRUE(InitSound());
    PlayEffect(1);
    std::this_thread::sleep_for(400ms);
    EXPECT_GT(loudestSince(0), 4000) << "the effect was heard";

    if (!CheckMidiDevice()) GTEST_SKIP() << "no General MIDI soundfont on this machine";
    ScanMusicFiles();
    const auto musicFrom = static_cast<std::streamoff>(std::filesystem::file_size(mix));
    const auto start = std::chrono::steady_clock::now();
    PlayNextMusic();
    platform::Message message;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() - start < 10s) {
        std::this_thread::sleep_for(20ms);
        while (platform::TakeMessage(message)) ended = ended || message.kind == platform::MsgKind::MusicNotify;
    }
    ASSERT_TRUE(ended) << "the end of the piece reached the game";
    EXPECT_GT(std::chrono::steady_clock::now() - start, 500ms) << "not before its note";
    EXPECT_GT(loudestSince(musicFrom), 1000) << "the piece was heard";

    PlayNextMusic();
    std::this_thread::sleep_for(100ms);
    MusicButton();   // off: the halt must not pass for the end of the piece
    std::this_thread::sleep_for(100ms);
    while (platform::TakeMessage(message)) EXPECT_NE(message.kind, platform::MsgKind::MusicNotify);
}

// A constant offset in what is played (some soundfonts' voices carry one)
// must not reach the speakers: a thump at each start and stop, lost headroom.
TEST(SoundThroughMixer, TheMixCarriesNoConstantOffset) {
    const ScratchFolder folder{"torvanex-sdl-offset"};
    const std::string mix = folder.path() + "mix.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", mix.c_str(), 1);
    ASSERT_TRUE(platform::OpenAudioDevice());
    // Half a second of a 220 Hz square wave riding half-way up the 8-bit range.
    std::vector<uint8_t> samples(5512);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = i / 25 % 2 ? 0xE0 : 0xA0;
    platform::PcmFormat format;
    format.samplesPerSecond = format.averageBytesPerSecond = 11025;
    platform::SoundHandle sound = 0;
    ASSERT_TRUE(platform::CreateSoundBuffer(format, static_cast<uint32_t>(samples.size()), sound));
    ASSERT_TRUE(platform::FillSoundBuffer(sound, samples.data(), static_cast<uint32_t>(samples.size())));
    ASSERT_TRUE(platform::PlaySoundBuffer(sound, 0));
    std::this_thread::sleep_for(900ms);   // the effect and its fading out
    platform::CloseAudioDevice();
    double sum = 0;
    long count = 0;
    int loudest = 0;
    std::ifstream in(mix, std::ios::binary);
    for (int16_t sample = 0; in.read(reinterpret_cast<char*>(&sample), sizeof sample); ++count) {
        sum += sample;
        loudest = std::max(loudest, std::abs(int{sample}));
    }
    ASSERT_GT(count, 22050) << "at least the half second of the effect was captured";
    EXPECT_GT(loudest, 4000) << "the effect was heard";
    EXPECT_LT(std::abs(sum / double(count)), 100.0) << "unfiltered, the offset alone makes the mean some 8000";
}

// A wave file's header decides how much the conversion to the device's format
// allocates and how long it runs on the game's thread: a rate no sound card
// plays is refused (the edges of the rates the effects tests hold), and so is
// an effect that would convert to more than 32 MiB (two megabytes of 8-bit
// mono at 4,000 Hz become some 44 MiB at 22,050 Hz stereo 16-bit).
TEST(SoundThroughMixer, RatesNoCardPlaysAndHugeConversionsAreRefused) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(platform::OpenAudioDevice());
    platform::PcmFormat format;
    for (const auto& [rate, size, playable] :
         {std::tuple{2u, size_t{1000}, false}, {4000u, size_t{1000}, true}, {4000u, size_t{2} << 20, false}}) {
        format.samplesPerSecond = format.averageBytesPerSecond = rate;
        const std::vector<uint8_t> samples(size, 0x80);
        platform::SoundHandle sound = 0;
        const bool made = platform::CreateSoundBuffer(format, static_cast<uint32_t>(size), sound) &&
                          platform::FillSoundBuffer(sound, samples.data(), static_cast<uint32_t>(size));
        EXPECT_EQ(made, playable) << rate << " Hz, " << size << " bytes";
        if (sound) platform::ReleaseSoundBuffer(sound);
    }
    platform::CloseAudioDevice();
}
