// The settings files: reading "torvanex.cfg" as a player may have edited it,
// the default writer, the one-byte files and their range checks.
#include "board/board_state.h"
#include "persist/settings.h"
#include "persist/persist_fixture.h"
#include "services/messages.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace hl = platform::headless;

namespace {

const char* const kMissing = nullptr;
const std::string kLongComments = std::string(5000, '#') + "\r\n0\r\n\r\n0\r\n";

}  // namespace

TEST_F(PersistTest, ConfigFileAsFoundOnDisk) {
    struct Case {
        const char* name;
        const char* content;  // kMissing: no file
        int sound, music;     // the switches afterwards
        bool replaced;        // the default file now stands in its place
    } cases[] = {
        {"missing", kMissing, 1, 1, true},
        {"empty", "", 1, 1, true},
        {"both on", "a\r\n1\r\nb\r\n1\r\n", 1, 1, false},
        {"both off", "a\r\n0\r\nb\r\n0\r\n", 0, 0, false},
        {"text after the digit", "x\r\n1 please\r\ny\r\n0000\r\n", 1, 0, false},
        {"lines ended by LF alone", "a\n0\nb\n1\n", 0, 1, false},
        {"last line without its end", "a\r\n0\r\nb\r\n1", 0, 1, false},
        {"comment lines of any length", kLongComments.c_str(), 0, 0, false},
        {"blank before the digit", "a\r\n 1\r\nb\r\n1\r\n", 1, 1, true},
        {"only two lines, sound off", "a\r\n0\r\n", 1, 1, true},
        {"empty line 2", "a\r\n\r\nb\r\n0\r\n", 1, 1, true},
        {"empty line 4", "a\r\n0\r\nb\r\n\r\n", 1, 1, true},
        {"another digit", "a\r\n2\r\nb\r\n0\r\n", 1, 1, true},
        {"line 4 missing its first character", "a\r\n0\r\nb\r\n", 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Remove("torvanex.cfg");
        if (c.content) Write("torvanex.cfg", c.content);
        LoadConfig();
        EXPECT_EQ(Sound.SoundOn, c.sound);
        EXPECT_EQ(Sound.SoundNeedsSetup, 1 - c.sound) << "the device is set up only for sound on";
        EXPECT_EQ(Music.MusicOn, c.music);
        EXPECT_EQ(Music.MidiUnchecked, 1 - c.music);
        EXPECT_EQ(Read("torvanex.cfg"), c.replaced ? ConfigFile('1', '1') : std::string(c.content));
        EXPECT_EQ(TakeLastIoResult(), 0) << "the configuration file leaves nothing for CheckIo";
    }
    EXPECT_TRUE(hl::Get().messageBoxes.empty());
}

// When the default file cannot be written, what was read stays and nothing is said.
TEST_F(PersistTest, ConfigFileThatCannotBeReplaced) {
    struct Case {
        const char* name;
        const char* content;
        bool readFails;
        hl::FileOp writeFault;  // the step of the replacement that fails
        int sound, music;
    } cases[] = {
        {"sound read, music line bad", "a\r\n1\r\nb\r\nx\r\n", false, hl::FileOp::Create, 1, 0},
        {"bad line 2 hides line 4", "a\r\n7\r\nb\r\n1\r\n", false, hl::FileOp::Write, 0, 0},
        {"missing, full disk", kMissing, false, hl::FileOp::Close, 0, 0},
        {"read fails", "a\r\n1\r\nb\r\n1\r\n", true, hl::FileOp::Rename, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Remove("torvanex.cfg");
        if (c.content) Write("torvanex.cfg", c.content);
        if (c.readFails) hl::InjectFileError("torvanex.cfg", hl::FileOp::Read, 30);
        hl::InjectFileError("torvanex.cfg", c.writeFault, 112);
        LoadConfig();
        EXPECT_EQ(Sound.SoundOn, c.sound);
        EXPECT_EQ(Music.MusicOn, c.music);
        EXPECT_EQ(Read("torvanex.cfg"), c.content ? c.content : "<missing>");
        EXPECT_EQ(Names().size(), c.content ? 1u : 0u) << "no temporary is left behind";
        EXPECT_TRUE(hl::Get().messageBoxes.empty());
        EXPECT_EQ(TakeLastIoResult(), 0);
    }
}

TEST_F(PersistTest, ConfigFileCloseErrorAfterReadingRewritesIt) {
    Write("torvanex.cfg", "a\r\n0\r\nb\r\n0\r\n");
    hl::InjectFileError("torvanex.cfg", hl::FileOp::Close, 5);
    LoadConfig();
    EXPECT_EQ(Sound.SoundOn, 1);
    EXPECT_EQ(Music.MusicOn, 1);
    EXPECT_EQ(Read("torvanex.cfg"), ConfigFile('1', '1'));
}

TEST_F(PersistTest, OneByteSettingsFiles) {
    struct Case {
        const char* name;
        const char *skin, *mode, *level;  // kMissing: no file
        int32_t wantSkin, wantMode, wantLevel;
    } cases[] = {
        {"all missing: built-in values", kMissing, kMissing, kMissing, 1, 0, 0},
        {"highest values", "\x02", "\x02", "\x01", 2, 2, 1},
        {"lowest values", "\x00", "\x00", "\x00", 0, 0, 0},
        {"one above the range", "\x03", "\x03", "\x02", 0, 0, 0},
        {"far above the range", "\xff", "\x80", "\xff", 0, 0, 0},
        {"longer files: the first byte counts", "\x02\x01", "\x01" "ab", "\x01\x00", 2, 1, 1},
        {"only the mode present", kMissing, "\x01", kMissing, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        for (const char* name : {"nskin", "ngame", "level"}) Remove(name);
        // A string literal "\x00" is one zero byte, not an empty file.
        const auto put = [&](const char* name, const char* bytes) {
            if (bytes) Write(name, std::string(bytes, std::max<size_t>(1, std::char_traits<char>::length(bytes))));
        };
        put("nskin", c.skin);
        put("ngame", c.mode);
        put("level", c.level);
        LoadByteSettings();
        EXPECT_EQ(Game.SkinIndex, c.wantSkin);
        EXPECT_EQ(Game.GameMode, c.wantMode);
        EXPECT_EQ(Game.Level, c.wantLevel);
        EXPECT_EQ(TakeLastIoResult(), 0) << "a missing file leaves nothing for the next CheckIo";
    }
}

TEST_F(PersistTest, OneByteSettingsFileThatCannotBeReadIsFatal) {
    struct Case {
        const char* name;
        const char* file;
        std::string content;
        hl::FileOp fault;  // Rename: none
        int code;
        const char* digits;
    } cases[] = {
        {"empty file", "ngame", "", hl::FileOp::Rename, 0, " 100"},
        {"read fails", "level", "\x01", hl::FileOp::Read, 23, "  23"},
        {"close fails", "nskin", "\x01", hl::FileOp::Close, 6, "   6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Write(c.file, c.content);
        if (c.code) hl::InjectFileError(c.file, c.fault, c.code);
        EXPECT_EQ(ExitStatusOf([] { LoadByteSettings(); }), 1);
        ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
        EXPECT_EQ(hl::Get().messageBoxes[0].text, FileErrorText(c.digits));
        Remove(c.file);
    }
}

TEST_F(PersistTest, SettingsFileThatCannotBeOpenedKeepsTheValue) {
    Write("nskin", "\x02");
    hl::InjectFileError("nskin", hl::FileOp::Open, 5);
    LoadByteSettings();
    EXPECT_EQ(Game.SkinIndex, 1);
    EXPECT_EQ(ExitStatusOf([] { CheckIo(); }), -1) << "the failed opening is not reported later";
}
