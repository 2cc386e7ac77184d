#include "sound/music.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sound/sound_fixture.h"

namespace {

using platform::headless::Get;
using platform::headless::MusicOpened;
using Names = std::vector<std::string>;

class MusicTest : public SoundTest {
protected:
    // Writes the pieces and starts the music as start-up does with music on;
    // returns the names in the order the folder lists them.
    Names StartWith(const Names& names) {
        for (const std::string& name : names) Write(name, kMidiPiece);
        CheckMidiDevice();
        ScanMusicFiles();
        PlayNextMusic();
        return platform::ListFolder(folder, ".mid");
    }
    // The playing piece ends and the main loop hands the message on.
    void PieceEnds() {
        ASSERT_TRUE(Get().musicPlaying);
        platform::headless::EndMusicPiece();
        platform::Message message;
        ASSERT_TRUE(platform::TakeMessage(message));
        ASSERT_EQ(message.kind, platform::MsgKind::MusicNotify);
        PlayNextMusic();
    }
};

TEST_F(MusicTest, PiecesPlayInListingOrderWithoutEnd) {
    const Names listed = StartWith({"a.mid", "b.mid", "c.mid"});
    for (int i = 0; i < 3; ++i) PieceEnds();
    EXPECT_EQ(MusicOpened(), (Names{listed[0], listed[1], listed[2], listed[0]}));
    EXPECT_TRUE(Get().musicPlaying);
}

TEST_F(MusicTest, SwitchingOffDuringSecondPieceAndOnAgainStartsTheThird) {
    const Names listed = StartWith({"a.mid", "b.mid", "c.mid"});
    PieceEnds();
    MusicButton();
    EXPECT_EQ(Music.MusicOn, 0);
    EXPECT_TRUE(Get().musicOpen.empty()) << "switching off stops and closes the piece";
    platform::Message message;
    EXPECT_FALSE(platform::TakeMessage(message)) << "a stop is no end of a piece";

    MusicButton();
    EXPECT_EQ(MusicOpened(), (Names{listed[0], listed[1], listed[2]}));
    EXPECT_TRUE(Get().musicPlaying);
}

TEST_F(MusicTest, APieceEndingJustBeforeTheSwitchOffSkipsNothing) {
    const Names listed = StartWith({"a.mid", "b.mid", "c.mid"});
    PieceEnds();
    platform::headless::EndMusicPiece();   // b ends while the click is waiting its turn
    MusicButton();
    MusicButton();
    platform::Message message;
    EXPECT_FALSE(platform::TakeMessage(message)) << "the end of b belonged to the stopped piece";
    EXPECT_EQ(MusicOpened(), (Names{listed[0], listed[1], listed[2]}));
}

TEST_F(MusicTest, NoPlayablePieceLeavesMusicSilentWithoutMessage) {
    const struct {
        Names files;
        Names opened;
    } cases[] = {
        {{}, {""}},  // the folder itself
        {{std::string(31, 'x') + ".mid"}, {std::string(30, 'x')}},
    };
    for (const auto& c : cases) {
        StartWith(c.files);
        EXPECT_EQ(MusicOpened(), c.opened);
        EXPECT_FALSE(Get().musicPlaying);
        EXPECT_TRUE(Get().messageBoxes.empty());
        for (const std::string& name : c.files) Remove(name);
        platform::headless::Reset();
        ResetMusicState();
    }
    Write("broken.mid", {'R', 'I', 'F', 'F'});
    StartWith({});
    EXPECT_FALSE(Get().musicPlaying);
}

TEST_F(MusicTest, TheFiftyFirstPieceNeverPlays) {
    Names names;
    for (int i = 0; i < 51; ++i) names.push_back("piece" + std::to_string(100 + i) + ".mid");
    const Names listed = StartWith(names);
    ASSERT_EQ(listed.size(), 51u);
    for (int i = 0; i < 50; ++i) PieceEnds();
    const Names opened = MusicOpened();
    EXPECT_EQ(opened.back(), listed[0]) << "after the fiftieth the list starts again";
    EXPECT_EQ(std::count(opened.begin(), opened.end(), listed[50]), 0);
}

TEST_F(MusicTest, WithoutMidiOutputTheButtonChecksAgainEveryPress) {
    Write("a.mid", kMidiPiece);
    ScanMusicFiles();
    Get().midiWorks = false;
    MusicButton();
    EXPECT_EQ(Music.MusicOn, 0);
    EXPECT_EQ(Music.MidiUnchecked, 1);
    Get().midiWorks = true;
    MusicButton();
    EXPECT_EQ(Music.MusicOn, 1);
    EXPECT_EQ(MusicOpened(), Names{"a.mid"});
    EXPECT_TRUE(Get().musicPlaying);
}

}  // namespace
