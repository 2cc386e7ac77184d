#include "sound/effects.h"

#include <gtest/gtest.h>

#include "graphics/surfaces.h"
#include "services/files.h"
#include "sound/sound_fixture.h"

namespace {

using platform::headless::Get;

class EffectsTest : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        for (int n = 1; n <= 13; ++n) WriteEffect(n, WaveParts{});
    }
    void WriteEffect(int n, const WaveParts& parts) { Write(EffectFileName(n).substr(folder.size()), WaveBytes(parts)); }
    // A fresh program in the same folder, for one case of a table.
    void Restart() {
        platform::headless::Reset();
        ResetProgramState();
        Files.ProgramFolder = folder;
    }
    std::vector<int> Heard() const {
        std::vector<int> numbers;
        for (const auto& e : Get().effectsPlayed) numbers.push_back(e.effect);
        return numbers;
    }
};

TEST_F(EffectsTest, EffectNumberNamesTwoDigitFileInProgramFolder) {
    for (auto [n, name] : {std::pair{5, "05.wav"}, {12, "12.wav"}, {99, "99.wav"}, {100, "00.wav"}})
        EXPECT_EQ(EffectFileName(n), folder + name);
}

TEST_F(EffectsTest, SetUpFailuresShowTheirMessageOrNone) {
    const struct {
        bool device, primary;
        int buffers;
        bool result;
        std::vector<std::string> messages;
    } cases[] = {
        {true, true, 100, true, {}},
        {false, true, 100, false, {}},
        {true, false, 100, true, {"Can't initialize sound.Playing without sound."}},
        {true, true, 2, false, {"Can't create sound buffer. Playing without sound."}},
    };
    for (const auto& c : cases) {
        Restart();
        Get().audioDeviceWorks = c.device;
        Get().primaryBufferWorks = c.primary;
        Get().soundBuffersLeft = c.buffers;
        EXPECT_EQ(InitSound(), c.result);
        std::vector<std::string> shown;
        for (const auto& box : Get().messageBoxes) shown.push_back(box.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(Sound.SoundOn, c.result ? 1 : 0);
        EXPECT_EQ(Sound.SoundNeedsSetup, c.result ? 0 : 1);
    }
}

TEST_F(EffectsTest, SamplesAreFoundAtTheFirstDataTagFrom34) {
    const struct {
        const char* what;
        std::string beforeData;
        std::vector<uint8_t> heard;
    } cases[] = {
        {"canonical 44-byte header", "", std::vector<uint8_t>(88, 0x11)},
        {"another chunk first", std::string("LIST\4\0\0\0INFO", 12), std::vector<uint8_t>(88, 0x11)},
        {"data bytes inside another chunk win", std::string("junk\x0A\0\0\0data\2\0\0\0\1\2", 18), {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        WaveParts parts{2, 22050, 16, std::vector<uint8_t>(88, 0x11), c.beforeData};
        WriteEffect(3, parts);
        ASSERT_TRUE(InitSound());
        PlayEffect(3);
        ASSERT_EQ(Heard(), std::vector<int>{3});
        const auto& played = Get().effectsPlayed[0];
        EXPECT_EQ(played.format.channels, 2);
        EXPECT_EQ(played.format.samplesPerSecond, 22050u);
        EXPECT_EQ(played.format.blockAlign, 4);
        EXPECT_EQ(played.format.bitsPerSample, 16);
        EXPECT_EQ(Get().soundBuffers.at(played.buffer).samples, c.heard);
    }
}

TEST_F(EffectsTest, FifthEffectReplacesTheFirstInSlotZero) {
    ASSERT_TRUE(InitSound());
    for (int n : {1, 2, 3, 4, 5}) PlayEffect(n);
    const auto& played = Get().effectsPlayed;
    ASSERT_EQ(Heard(), (std::vector<int>{1, 2, 3, 4, 5}));
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(played[i].channel, int(i % 4));
    EXPECT_EQ(Get().soundBuffers.count(played[0].buffer), 0u) << "the first buffer is released";
    EXPECT_EQ(Get().soundBuffers.size(), 4u);
}

TEST_F(EffectsTest, MissingFileSwitchesSoundOffSilentlyUntilTheButtonSetsItUp) {
    ASSERT_TRUE(InitSound());
    Remove("03.wav");
    PlayEffect(3);
    PlayEffect(5);
    EXPECT_EQ(Sound.SoundOn, 0);
    EXPECT_EQ(Sound.SoundNeedsSetup, 1);
    EXPECT_TRUE(Get().effectsPlayed.empty());
    EXPECT_TRUE(Get().messageBoxes.empty());
    EXPECT_EQ(TakeLastIoResult(), 0) << "a missing effect is no file error for the next check";

    SoundButton();
    PlayEffect(5);
    PlayEffect(3);
    EXPECT_EQ(Heard(), std::vector<int>{5});
    EXPECT_EQ(Sound.SoundOn, 0);
    EXPECT_EQ(Get().audioDeviceOpenings, 2);
}

TEST_F(EffectsTest, FailingBufferSwitchesSoundOffSilently) {
    for (auto fault : {+[] { Get().soundBuffersLeft = 0; }, +[] { Get().fillWorks = false; },
                       +[] { Get().playWorks = false; }}) {
        Restart();
        ASSERT_TRUE(InitSound());
        fault();
        PlayEffect(6);
        EXPECT_EQ(Sound.SoundOn, 0);
        EXPECT_EQ(Sound.SoundNeedsSetup, 1);
        EXPECT_TRUE(Get().messageBoxes.empty());
    }
}

TEST_F(EffectsTest, NoFileIsReadWhileSoundIsOff) {
    WaveParts truncated;
    truncated.declaredDataSize = 1000;  // reading it would end the program
    WriteEffect(8, truncated);
    ASSERT_TRUE(InitSound());
    SoundButton();
    EXPECT_NO_THROW(PlayEffect(8));
    EXPECT_TRUE(Get().effectsPlayed.empty());
}

TEST_F(EffectsTest, FileShorterThanItClaimsIsFatalShortRead) {
    WaveParts overlong, huge;
    overlong.declaredDataSize = 101;
    huge.declaredDataSize = 0xFFFFFFF0;  // never allocated: the file holds 100
    std::vector<uint8_t> noDataTag = WaveBytes(WaveParts{});
    noDataTag.resize(40);
    for (const auto& bytes : {WaveBytes(overlong), WaveBytes(huge), noDataTag, std::vector<uint8_t>(20)}) {
        Restart();
        Write("09.wav", bytes);
        ASSERT_TRUE(InitSound());
        EXPECT_EQ(ExitStatusOf([] { PlayEffect(9); }), 1);
        ASSERT_EQ(Get().messageBoxes.size(), 1u);
        EXPECT_EQ(Get().messageBoxes[0].text, "File error  100. Please reinstall Torvanex");
        EXPECT_TRUE(Get().soundBuffers.empty()) << "the exit released the sound";
    }
}

TEST_F(EffectsTest, ShutdownReleasesNothingWhileSoundNeedsSetUp) {
    ASSERT_TRUE(InitSound());
    Remove("02.wav");
    PlayEffect(2);
    ShutdownSound();
    EXPECT_EQ(Get().soundBuffers.size(), 3u);
    EXPECT_TRUE(Get().audioDeviceOpen);

    SoundButton();
    ShutdownSound();
    EXPECT_TRUE(Get().soundBuffers.empty());
    EXPECT_FALSE(Get().audioDeviceOpen);
}

TEST_F(EffectsTest, PacedEffectPlaysAndPausesOnlyOnTheScreen) {
    ASSERT_TRUE(InitSound());
    PlayEffectPaced(10, ComposeSlot);
    EXPECT_EQ(platform::headless::NowMs(), 0);
    PlayEffectPaced(10, PrimarySlot);
    PlayEffectPaced(13, PrimarySlot);
    ASSERT_EQ(Heard(), (std::vector<int>{10, 13}));
    EXPECT_GE(Get().effectsPlayed[1].timeMs - Get().effectsPlayed[0].timeMs, 50);
}

}  // namespace
