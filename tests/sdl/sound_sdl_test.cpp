// Effects and music through the real mixer, heard through SDL's disk audio
// driver: it writes the mix as raw 16-bit stereo at 22050 Hz, in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

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
