// Music: every piece of the folder in turn without end, the music button, and
// the pieces that never play.
#include "sound/music.h"

#include "sound/sound_fixture.h"

using platform::headless::Get;
using platform::headless::MusicOpened;
using Pieces = std::vector<std::string>;

class MusicTest : public SoundTest {
protected:
    // Writes the pieces and starts the music as start-up does with music on;
    // returns the names in the order the folder lists them.
    Pieces StartWith(const Pieces& names) {
        for (const std::string& name : names) Write(name, kMidiPiece);
        CheckMidiDevice();
        ScanMusicFiles();
        PlayNextMusic();
        return platform::ListFolder(Folder(), ".mid");
    }
    // The playing piece ends and the main loop hands the message on.
    static void PieceEnds() {
        ASSERT_TRUE(Get().musicPlaying);
        platform::headless::EndMusicPiece();
        platform::Message message;
        ASSERT_TRUE(platform::TakeMessage(message));
        ASSERT_EQ(message.kind, platform::MsgKind::MusicNotify);
        PlayNextMusic();
    }
    static bool NothingQueued() {
        platform::Message message;
        return !platform::TakeMessage(message);
    }
};

// Switching off stops and closes the piece, and neither is an end of a piece,
// not even when the piece had just ended and its end was waiting in the queue.
TEST_F(MusicTest, SwitchingOffAndOnGoesOnWithTheNextPieceWhateverWasQueued) {
    for (const bool endQueued : {false, true}) {
        Restart();
        const Pieces listed = StartWith({"a.mid", "b.mid", "c.mid"});
        PieceEnds();
        if (endQueued) platform::headless::EndMusicPiece();
        MusicButton();
        EXPECT_TRUE(Music.MusicOn == 0 && Get().musicOpen.empty() && NothingQueued()) << endQueued;
        MusicButton();
        EXPECT_EQ(MusicOpened(), (Pieces{listed[0], listed[1], listed[2]})) << endQueued;
        EXPECT_TRUE(Get().musicPlaying && NothingQueued()) << endQueued;
    }
}

TEST_F(MusicTest, NoPlayablePieceLeavesTheMusicSilentWithoutAMessage) {
    const struct { Pieces files; Pieces opened; } cases[] = {
        {{}, {""}},   // the folder itself
        {{std::string(31, 'x') + ".mid"}, {std::string(30, 'x')}},   // listed cut to 30 characters
        {{"broken.mid"}, {"broken.mid"}},
    };
    for (const auto& c : cases) {
        Restart();
        for (const std::string& name : c.files) Write(name, name == "broken.mid" ? WaveBytes({}) : kMidiPiece);
        StartWith({});
        EXPECT_EQ(MusicOpened(), c.opened);
        EXPECT_FALSE(Get().musicPlaying);
        EXPECT_TRUE(Get().messageBoxes.empty());
        for (const std::string& name : c.files) Remove(name);
    }
}

TEST_F(MusicTest, PiecesPlayInListingOrderWithoutEndAndTheFiftyFirstNever) {
    Pieces names;
    for (int i = 0; i < 51; ++i) names.push_back("piece" + std::to_string(100 + i) + ".mid");
    Pieces listed = StartWith(names);
    ASSERT_TRUE(listed.size() == 51u && Music.MusicCount == 50);
    for (int i = 0; i < 50; ++i) PieceEnds();
    listed.back() = listed.front();   // after the fiftieth the list starts again
    EXPECT_EQ(MusicOpened(), listed);
    EXPECT_TRUE(Get().musicPlaying);
}

TEST_F(MusicTest, TheButtonStartsMusicThatWasOffAndLooksForAMidiOutputAtEveryPress) {
    Write("a.mid", kMidiPiece);
    ScanMusicFiles();
    Get().midiWorks = false;
    MusicButton();
    EXPECT_TRUE(Music.MusicOn == 0 && Music.MidiUnchecked == 1);
    Get().midiWorks = true;
    MusicButton();
    EXPECT_TRUE(Music.MusicOn == 1 && Get().musicPlaying);
    Restart();
    Music.MidiUnchecked = 0;   // found at start-up, with music off
    ScanMusicFiles();
    MusicButton();
    EXPECT_TRUE(Music.MusicOn == 1 && Get().musicPlaying);
    EXPECT_EQ(MusicOpened(), Pieces{"a.mid"});
}
