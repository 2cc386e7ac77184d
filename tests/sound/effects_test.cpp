// Effects: set-up failures, where the samples are found, four rotating
// buffers, silent switch-off on any failure, and files shorter than they claim.
#include "sound/effects.h"

#include "graphics/surfaces.h"
#include "sound/sound_fixture.h"

#include <filesystem>

using platform::headless::Get;

class EffectsTest : public SoundTest {
public:
    void SetUp() override {
        SoundTest::SetUp();
        for (int n = 1; n <= 13; ++n) WriteEffect(n, WaveParts{});
    }
    void WriteEffect(int n, const WaveParts& parts) { Write(EffectFileName(n).substr(Folder().size()), WaveBytes(parts)); }
};

TEST_F(EffectsTest, SetUpFailuresShowTheirMessageOrNone) {
    const struct { bool device, primary; int buffers; bool on; const char* message; } cases[] = {
        {true, true, 100, true, ""},
        {false, true, 100, false, ""},
        {true, false, 100, true, "Can't initialize sound.Playing without sound."},
        {true, true, 2, false, "Can't create sound buffer. Playing without sound."}};
    for (const auto& c : cases) {
        Restart();
        Get().audioDeviceWorks = c.device, Get().primaryBufferWorks = c.primary, Get().soundBuffersLeft = c.buffers;
        EXPECT_EQ(InitSound(), c.on);
        std::string shown;
        for (const auto& box : Get().messageBoxes) shown += box.text;
        EXPECT_EQ(shown, c.message);
        EXPECT_TRUE(Sound.SoundOn == c.on && Sound.SoundNeedsSetup == !c.on);
    }
}

TEST_F(EffectsTest, SamplesAreFoundAtTheFirstDataTagFrom34InTheFilesOwnFormat) {
    const struct { const char* what; std::string beforeData; std::vector<uint8_t> heard; } cases[] = {
        {"the usual 44-byte header", "", std::vector<uint8_t>(88, 0x11)},
        {"another chunk first", std::string("LIST\4\0\0\0INFO", 12), std::vector<uint8_t>(88, 0x11)},
        {"data bytes inside another chunk win", std::string("junk\x0A\0\0\0data\2\0\0\0\1\2", 18), {1, 2}}};
    for (const auto& c : cases) {
        Restart();
        WriteEffect(3, WaveParts{2, 22050, 16, std::vector<uint8_t>(88, 0x11), c.beforeData});
        ASSERT_TRUE(InitSound());
        PlayEffect(3);
        ASSERT_EQ(EffectsHeard(), std::vector<int>{3}) << c.what;
        const platform::PcmFormat& f = Get().effectsPlayed[0].format;
        EXPECT_TRUE(f.channels == 2 && f.samplesPerSecond == 22050 && f.blockAlign == 4 && f.bitsPerSample == 16) << c.what;
        EXPECT_EQ(Get().soundBuffers.at(Get().effectsPlayed[0].buffer).samples, c.heard) << c.what;
    }
}

TEST_F(EffectsTest, TheFifthEffectReplacesTheFirstInSlotZeroAndPacedOnesPauseOnlyOnTheScreen) {
    ASSERT_TRUE(InitSound());
    for (int n : {1, 2, 3, 4, 5}) PlayEffect(n);
    ASSERT_EQ(EffectsHeard(), (std::vector<int>{1, 2, 3, 4, 5}));
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Get().effectsPlayed[i].channel, int(i % 4));
    EXPECT_EQ(Get().soundBuffers.count(Get().effectsPlayed[0].buffer), 0u) << "the first buffer is released";
    EXPECT_EQ(Get().soundBuffers.size(), 4u);
    PlayEffectPaced(10, ComposeSlot);
    EXPECT_EQ(platform::headless::NowMs(), 0) << "composing off screen plays nothing and waits for nothing";
    PlayEffectPaced(10, PrimarySlot);
    PlayEffectPaced(13, PrimarySlot);
    ASSERT_EQ(EffectsHeard(), (std::vector<int>{1, 2, 3, 4, 5, 10, 13}));
    EXPECT_GE(Get().effectsPlayed[6].timeMs - Get().effectsPlayed[5].timeMs, 50);
}

TEST_F(EffectsTest, AnyFailureSwitchesSoundOffSilentlyUntilTheButtonSetsItUpAgain) {
    const struct { const char* what; void (*fault)(EffectsTest&); } cases[] = {
        {"missing file", [](EffectsTest& t) { t.Remove("06.wav"); }},
        {"no sample bytes", [](EffectsTest& t) { t.WriteEffect(6, WaveParts{1, 11025, 8, {}, ""}); }},
        {"no buffer", [](EffectsTest&) { Get().soundBuffersLeft = 0; }},
        {"failing fill", [](EffectsTest&) { Get().fillWorks = false; }},
        {"failing play", [](EffectsTest&) { Get().playWorks = false; }},
        {"a file far larger than any effect",   // read whole at every play, it would freeze the game
         [](EffectsTest& t) { std::filesystem::resize_file(t.Folder() + "06.wav", 17 << 20); }}};
    for (const auto& c : cases) {
        Restart();
        WriteEffect(6, WaveParts{});
        ASSERT_TRUE(InitSound());
        c.fault(*this);
        PlayEffect(6);
        PlayEffect(5);
        EXPECT_TRUE(Sound.SoundOn == 0 && Sound.SoundNeedsSetup == 1) << c.what;
        EXPECT_TRUE(EffectsHeard().empty() && Get().messageBoxes.empty()) << c.what;
        EXPECT_EQ(TakeLastIoResult(), 0) << c.what << ": no file error is left for the next check";
    }
    Get().playWorks = true;
    SoundButton();
    PlayEffect(5);
    EXPECT_EQ(EffectsHeard(), std::vector<int>{5});
    EXPECT_EQ(Get().audioDeviceOpenings, 2);
}

// A rate of 2 Hz would make the conversion to the card's rate ask for
// gigabytes at every play: formats no card plays switch sound off quietly.
TEST_F(EffectsTest, FormatsNoSoundCardPlaysSwitchSoundOffQuietly) {
    const struct { uint16_t channels; uint32_t rate; uint16_t bits; bool heard; } cases[] = {
        {1, 2, 8, false},     {1, 3999, 8, false},  {2, 4000, 16, true},   {1, 192000, 8, true},
        {1, 192001, 8, false}, {1, 0xFFFFFFFF, 8, false}, {0, 11025, 8, false}, {3, 11025, 8, false},
        {1, 11025, 24, false}, {1, 11025, 12, false}};
    for (const auto& c : cases) {
        Restart();
        WriteEffect(4, WaveParts{c.channels, c.rate, c.bits, std::vector<uint8_t>(96, 0x80), ""});
        ASSERT_TRUE(InitSound());
        PlayEffect(4);
        const std::string what = std::to_string(c.channels) + " channels, " + std::to_string(c.rate) + " Hz, " +
                                 std::to_string(c.bits) + " bits";
        EXPECT_EQ(EffectsHeard().size(), c.heard ? 1u : 0u) << what;
        EXPECT_EQ(Sound.SoundOn, c.heard ? 1 : 0) << what;
        EXPECT_TRUE(Get().messageBoxes.empty() && TakeLastIoResult() == 0) << what;
    }
}

TEST_F(EffectsTest, NoFileIsReadWhileSoundIsOffAndNothingReleasedWhileItNeedsSetUp) {
    WaveParts truncated;
    truncated.declaredDataSize = 1000;   // reading it would end the program
    WriteEffect(8, truncated);
    ASSERT_TRUE(InitSound());
    SoundButton();
    EXPECT_NO_THROW(PlayEffect(8));
    EXPECT_TRUE(EffectsHeard().empty());
    SoundButton();
    Remove("02.wav");
    PlayEffect(2);
    ShutdownSound();
    EXPECT_TRUE(Get().soundBuffers.size() == 3 && Get().audioDeviceOpen);
    SoundButton();
    ShutdownSound();
    EXPECT_TRUE(Get().soundBuffers.empty() && !Get().audioDeviceOpen);
}

TEST_F(EffectsTest, AFileShorterThanItClaimsIsAFatalShortRead) {
    WaveParts overlong, huge;
    overlong.declaredDataSize = 101;
    huge.declaredDataSize = 0xFFFFFFF0;   // never allocated: the file holds 100
    std::vector<uint8_t> noDataTag = WaveBytes(WaveParts{});
    noDataTag.resize(40);
    for (const auto& bytes : {WaveBytes(overlong), WaveBytes(huge), noDataTag, std::vector<uint8_t>(20)}) {
        Restart();
        Write("09.wav", bytes);
        ASSERT_TRUE(InitSound());
        EXPECT_EQ(ExitStatusOf([] { PlayEffect(9); }), 1);
        ExpectOneMessage(FileError(" 100"));
        EXPECT_TRUE(Get().soundBuffers.empty()) << "the exit released the sound";
    }
}
