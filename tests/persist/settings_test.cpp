// Reading the settings files as a player may have left them.
#include "board/board_state.h"
#include "persist/persist_fixture.h"
#include "persist/settings.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace hl = platform::headless;

namespace {

const char* const kMissing = nullptr;
const std::string kLongComments = std::string(5000, '#') + "\r\n0\r\n\r\n0\r\n";

}  // namespace

TEST_F(PersistTest, ConfigFileAsFoundOnDisk) {
    struct Case {
        const char* content;  // kMissing: no file
        int sound, music;
        bool replaced;  // by the default file
    } cases[] = {
        {kMissing, 1, 1, true},
        {"", 1, 1, true},
        {"a\r\n0\r\nb\r\n0\r\n", 0, 0, false},
        {"x\r\n1 please\r\ny\r\n0000\r\n", 1, 0, false},
        {"a\n0\nb\n1", 0, 1, false},  // LF alone, no end on the last line
        {kLongComments.c_str(), 0, 0, false},
        {"a\r\n 1\r\nb\r\n1\r\n", 1, 1, true},  // a blank before the digit
        {"a\r\n0\r\n", 1, 1, true},             // two lines: music on even though sound said 0
        {"a\r\n\r\nb\r\n0\r\n", 1, 1, true},
        {"a\r\n0\r\nb\r\n\r\n", 1, 1, true},
        {"a\r\n2\r\nb\r\n0\r\n", 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "missing");
        Fresh();
        Remove("torvanex.cfg");
        if (c.content) Write("torvanex.cfg", c.content);
        LoadConfig();
        EXPECT_EQ(Sound.SoundOn, c.sound);
        EXPECT_EQ(Sound.SoundNeedsSetup, 1 - c.sound);
        EXPECT_EQ(Music.MusicOn, c.music);
        EXPECT_EQ(Music.MidiUnchecked, 1 - c.music);
        EXPECT_EQ(Read("torvanex.cfg"), c.replaced ? ConfigFile('1', '1') : std::string(c.content));
        EXPECT_EQ(TakeLastIoResult(), 0) << "nothing is left for the next CheckIo";
        EXPECT_TRUE(hl::Get().messageBoxes.empty());
    }
}

// When the default file cannot be written, what was read stays and nothing is said.
TEST_F(PersistTest, ConfigFileThatCannotBeReplaced) {
    struct Case {
        const char* content;
        bool readFails;
        hl::FileOp writeFault;
        int sound, music;
    } cases[] = {
        {"a\r\n1\r\nb\r\nx\r\n", false, hl::FileOp::Create, 1, 0},
        {"a\r\n7\r\nb\r\n1\r\n", false, hl::FileOp::Write, 0, 0},  // a bad line 2 hides line 4
        {"a\r\n1\r\nb\r\n1\r\n", true, hl::FileOp::Rename, 0, 0},
        {kMissing, false, hl::FileOp::Close, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "missing");
        Fresh();
        Remove("torvanex.cfg");
        if (c.content) Write("torvanex.cfg", c.content);
        if (c.readFails) hl::InjectFileError("torvanex.cfg", hl::FileOp::Read, 30);
        hl::InjectFileError("torvanex.cfg", c.writeFault, 112);
        LoadConfig();
        EXPECT_EQ(Sound.SoundOn, c.sound);
        EXPECT_EQ(Music.MusicOn, c.music);
        EXPECT_EQ(Read("torvanex.cfg"), c.content ? c.content : "<missing>");
        EXPECT_EQ(Names().size(), c.content ? 1u : 0u);
        EXPECT_TRUE(hl::Get().messageBoxes.empty());
        EXPECT_EQ(TakeLastIoResult(), 0);
    }
}

TEST_F(PersistTest, OneByteSettingsFiles) {
    struct Case {
        const char *skin, *mode, *level;  // kMissing: no file; "" is one zero byte
        int32_t wantSkin, wantMode, wantLevel;
    } cases[] = {
        {kMissing, kMissing, kMissing, 1, 0, 0},
        {"\x02", "\x02", "\x01", 2, 2, 1},
        {"", "", "", 0, 0, 0},
        {"\x03", "\x03", "\x02", 0, 0, 0},
        {"\xff", kMissing, "\x80", 0, 0, 0},
        {"\x02\x01", "\x01" "ab", kMissing, 2, 1, 0},  // only the first byte counts
    };
    for (const Case& c : cases) {
        Fresh();
        const char* names[] = {"nskin", "ngame", "level"};
        const char* bytes[] = {c.skin, c.mode, c.level};
        for (int i = 0; i < 3; ++i) {
            Remove(names[i]);
            if (bytes[i]) Write(names[i], *bytes[i] ? std::string(bytes[i]) : std::string(1, '\0'));
        }
        LoadByteSettings();
        EXPECT_EQ(Game.SkinIndex, c.wantSkin);
        EXPECT_EQ(Game.GameMode, c.wantMode);
        EXPECT_EQ(Game.Level, c.wantLevel);
        EXPECT_EQ(TakeLastIoResult(), 0) << "a missing file is no error for the next CheckIo";
    }
}

TEST_F(PersistTest, OneByteSettingsFileThatCannotBeReadIsFatal) {
    struct Case {
        const char* file;
        std::string content;
        hl::FileOp fault;
        int code;
        const char* digits;
    } cases[] = {
        {"ngame", "", hl::FileOp::Read, 0, " 100"},  // empty: a short read
        {"level", "\x01", hl::FileOp::Read, 23, "  23"},
        {"nskin", "\x01", hl::FileOp::Close, 6, "   6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Fresh();
        Write(c.file, c.content);
        if (c.code) hl::InjectFileError(c.file, c.fault, c.code);
        EXPECT_EQ(ExitStatusOf([] { LoadByteSettings(); }), 1);
        ExpectFileError(c.digits);
        Remove(c.file);
    }
}
