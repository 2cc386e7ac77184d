// Reading the settings files as a player may have left them.
#include "board/board_state.h"
#include "persist/persist_fixture.h"
#include "persist/settings.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace hl = platform::headless;

const char* const kMissing = nullptr;
const std::string kLongComments = std::string(5000, '#') + "\r\n0\r\n\r\n0\r\n";
constexpr auto kNoFault = hl::FileOp::Open;   // never injected here

// A file that is missing or cannot be used is replaced by the default one with
// both switches on; when that cannot be written, what was read stays, silently.
TEST_F(PersistTest, ConfigFileAsFoundOnDisk) {
    const struct { const char* content; bool readFails; hl::FileOp writeFault; int sound, music; bool replaced; } cases[] = {
        {kMissing, false, kNoFault, 1, 1, true},
        {"", false, kNoFault, 1, 1, true},
        {"a\r\n0\r\nb\r\n0\r\n", false, kNoFault, 0, 0, false},
        {"x\r\n1 please\r\ny\r\n0000\r\n", false, kNoFault, 1, 0, false},
        {"a\n0\nb\n1", false, kNoFault, 0, 1, false},   // LF alone, no end on the last line
        {kLongComments.c_str(), false, kNoFault, 0, 0, false},
        {"a\r\n 1\r\nb\r\n1\r\n", false, kNoFault, 1, 1, true},   // a blank before the digit
        {"a\r\n0\r\n", false, kNoFault, 1, 1, true},   // two lines: music on even though sound said 0
        {"a\r\n\r\nb\r\n0\r\n", false, kNoFault, 1, 1, true},
        {"a\r\n0\r\nb\r\n\r\n", false, kNoFault, 1, 1, true},
        {"a\r\n2\r\nb\r\n0\r\n", false, kNoFault, 1, 1, true},
        {"a\r\n1\r\nb\r\nx\r\n", false, hl::FileOp::Create, 1, 0, false},
        {"a\r\n7\r\nb\r\n1\r\n", false, hl::FileOp::Write, 0, 0, false},   // a bad line 2 hides line 4
        {"a\r\n1\r\nb\r\n1\r\n", true, hl::FileOp::Rename, 0, 0, false},
        {kMissing, false, hl::FileOp::Close, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "missing");
        Restart();
        Remove("torvanex.cfg");
        if (c.content) Write("torvanex.cfg", c.content);
        if (c.readFails) hl::InjectFileError("torvanex.cfg", hl::FileOp::Read, 30);
        if (c.writeFault != kNoFault) hl::InjectFileError("torvanex.cfg", c.writeFault, 112);
        LoadConfig();
        EXPECT_TRUE(Sound.SoundOn == c.sound && Sound.SoundNeedsSetup == 1 - c.sound);
        EXPECT_TRUE(Music.MusicOn == c.music && Music.MidiUnchecked == 1 - c.music);
        EXPECT_EQ(Read("torvanex.cfg"), c.replaced ? ConfigFile('1', '1') : c.content ? c.content : "<missing>");
        EXPECT_EQ(Names().size(), c.content || c.replaced ? 1u : 0u) << "no temporary is left";
        EXPECT_EQ(TakeLastIoResult(), 0) << "nothing is left for the next CheckIo";
        EXPECT_TRUE(hl::Get().messageBoxes.empty());
    }
}

// A missing or out-of-range byte gives the built-in value; a file that is
// there but cannot be read ends the game with the file error.
TEST_F(PersistTest, OneByteSettingsFiles) {
    // kMissing: no file; "" is one zero byte.
    const struct { const char *skin, *mode, *level; int32_t wantSkin, wantMode, wantLevel; } cases[] = {
        {kMissing, kMissing, kMissing, 1, 0, 0},
        {"\x02", "\x02", "\x01", 2, 2, 1},
        {"", "", "", 0, 0, 0},
        {"\x03", "\x03", "\x02", 0, 0, 0},
        {"\xff", kMissing, "\x80", 0, 0, 0},
        {"\x02\x01", "\x01" "ab", kMissing, 2, 1, 0},   // only the first byte counts
    };
    for (const auto& c : cases) {
        Restart();
        const char* names[] = {"nskin", "ngame", "level"};
        const char* bytes[] = {c.skin, c.mode, c.level};
        for (int i = 0; i < 3; ++i) {
            Remove(names[i]);
            if (bytes[i]) Write(names[i], *bytes[i] ? std::string(bytes[i]) : std::string(1, '\0'));
        }
        LoadByteSettings();
        EXPECT_TRUE(Game.SkinIndex == c.wantSkin && Game.GameMode == c.wantMode && Game.Level == c.wantLevel)
            << Game.SkinIndex << Game.GameMode << Game.Level;
        EXPECT_EQ(TakeLastIoResult(), 0) << "a missing file is no error for the next CheckIo";
    }
    for (const auto& [file, content, fault, code, digits] :
         {std::tuple{"ngame", "", kNoFault, 0, " 100"},   // empty: a short read
          {"level", "\x01", hl::FileOp::Read, 23, "  23"}, {"nskin", "\x01", hl::FileOp::Close, 6, "   6"}}) {
        Restart();
        for (const auto& name : Names()) Remove(name);
        Write(file, content);
        if (code) hl::InjectFileError(file, fault, code);
        EXPECT_EQ(ExitStatusOf([] { LoadByteSettings(); }), 1) << file;
        ExpectOneMessage(FileError(digits));
    }
}
