// The panel as a player meets it: which button lights up under the pointer,
// and what the presses do where they act and where they do not. The stop,
// level and speed rounds, the mode change, the manual page and the exit are
// replayed in the panel_buttons scenario; the give-up button is pressed in the
// real-window run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "board/game_end.h"
#include "frontend/front_state.h"
#include "frontend/panel.h"
#include "graphics/cursor.h"
#include "sound/effects.h"
#include "sound/music.h"
#include "support/fresh_program.h"
#include "support/pictures.h"

namespace {

namespace hl = platform::headless;
using platform::MsgKind;

struct Point {
    int x, y;
};
// The middle of a picture where it shows on screen: where a player clicks.
Point On(const Picture& p) { return {p.destX + p.width() / 2, p.destY + p.height() / 2}; }

const Point kOnBoard{200, 300}, kEmptyTopBar{600, 30}, kGiveUpPlace{140, 570};
constexpr Picture kSpeed = WorkPicture("button_speed"), kStop = WorkPicture("button_stop"),
                  kSkin = WorkPicture("button_skin"), kMode = WorkPicture("mode_title_0");

class Panel : public FreshProgram {
public:
    void Play(int mode = 0) {
        std::ofstream(Folder() + "ngame", std::ios::binary).put(static_cast<char>(mode));
        ASSERT_TRUE(StartUp());
        Send({MsgKind::Char, ' ', 0, 0}, 700);
        ASSERT_EQ(Game.ScreenState, Playing);
    }
    void Send(platform::Message m, int64_t ms = 100) { Post(m), RunUntilMs(hl::NowMs() + ms); }
    void Move(Point p) { Send({MsgKind::MouseMove, 0, p.x, p.y}); }
    void Click(Point p, MsgKind button = MsgKind::LButtonDown) { Move(p), Send({button, 0, p.x, p.y}); }
    void Click(const Picture& p, MsgKind button = MsgKind::LButtonDown) { Click(On(p), button); }
    static void Over() { Game.Score = 0, EndGame(); }
    // The picture shows at (x, y), its black pixels left out when it is keyed;
    // the pointer is taken off the screen around the look unless it is the
    // picture looked for.
    static bool Showing(const Picture& p, bool keyed = false, int x = -1, int y = -1, bool pointer = false) {
        if (!pointer) EraseCursor();
        const bool shown = ShowsPicture(p, x < 0 ? p.destX : x, y < 0 ? p.destY : y, PrimarySlot, keyed);
        if (!pointer) DrawCursor();
        return shown;
    }
    static int Heard(int effect) { return static_cast<int>(std::ranges::count(EffectsHeard(), effect)); }
};

TEST_F(Panel, TheHighlightMovesStraightFromButtonToButtonAndGoesOutOffThem) {
    Play();
    const Picture help = WorkPicture("button_help"), sound = WorkPicture("button_sound"),
                  exit = WorkPicture("button_exit"), home = WorkPicture("button_home");
    // Where the pointer goes, the button lit then, what shows at its place,
    // and what at the place of the one lit before.
    const struct {
        Point at;
        int lit;
        Picture shown, before;
    } steps[] = {
        {On(help), 0, WorkPicture("button_help_hl"), sound},
        {On(sound), 1, WorkPicture("button_sound_hl"), help},
        {kEmptyTopBar, kNoButton, sound, sound},
        {On(exit), 5, WorkPicture("button_exit_hl"), sound},
        {kOnBoard, kNoButton, exit, exit},
        {On(kMode), 6, WorkPicture("mode_title_0_hl"), exit},
        {On(home), 12, WorkPicture("button_home_hl"), kMode},
        {kGiveUpPlace, kNoButton, home, home},   // no give-up button outside mode 2
    };
    for (const auto& s : steps) {
        Move(s.at);
        EXPECT_EQ(Game.HoverButton, s.lit) << s.at.x << "," << s.at.y;
        EXPECT_TRUE(Showing(s.shown) && Showing(s.before)) << s.at.x << "," << s.at.y;
    }
}

TEST_F(Panel, OnlyButtonsThatWouldActLightUp) {
    const auto stop = [](Panel& t) { t.Click(kStop); };
    const auto over = [](Panel&) { Over(); };
    const struct { const char* what; int mode; void (*into)(Panel&); const char* button; bool lights; } cases[] = {
        {"level while playing", 0, [](Panel&) {}, "button_level", false},
        {"level while stopped", 0, stop, "button_level", true},
        {"stop while stopped", 0, stop, "button_stop", false},
        {"speed 9 while playing", 0, [](Panel&) { Game.Speed = 9; }, "button_speed", false},
        {"speed 9 while stopped", 1, [](Panel& t) { t.Click(kStop), Game.Speed = 9; }, "button_speed", true},
        {"speed in a game over", 0, over, "button_speed", false},
        {"skin in a game over", 0, over, "button_skin", false},
        {"speed in mode 2", 2, [](Panel&) {}, "button_speed", false},
        {"give up in mode 2", 2, [](Panel&) {}, "button_giveup", true},
        {"give up in a game over", 2, over, "button_giveup", false},
    };
    for (const auto& c : cases) {
        SetUp();
        Play(c.mode);
        c.into(*this);
        Move(kOnBoard), Move(On(Named(c.button)));
        EXPECT_EQ(Game.HoverButton != kNoButton, c.lights) << c.what;
        EXPECT_TRUE(Showing(Named(std::string(c.button) + (c.lights ? "_hl" : "")))) << c.what;
        TearDown();
    }
}

TEST_F(Panel, DuringAGameTheSpeedOnlyRisesOrJumpsFromZeroToNineAndAfterItStaysPut) {
    Play();
    const auto press = [&](MsgKind button, int times = 1) {
        for (int i = 0; i < times; ++i) Click(kSpeed, button);
        return Game.Speed;
    };
    EXPECT_EQ(press(MsgKind::LButtonDown, 11), 9);
    EXPECT_EQ(Heard(4), 9);
    EXPECT_TRUE(Showing(kSpeed)) << "9 is as fast as it goes: the button goes out";
    EXPECT_EQ(press(MsgKind::RButtonDown), 9);
    Game.Speed = 0;
    EXPECT_EQ(press(MsgKind::RButtonDown), 9);
    Game.Speed = 3, Over();
    EXPECT_EQ(press(MsgKind::LButtonDown), 3);
    SetUp();
    Play(2);
    EXPECT_EQ(press(MsgKind::LButtonDown) + press(MsgKind::RButtonDown), 0);
    EXPECT_EQ(Heard(4), 0) << "mode 2 has no speed";
}

TEST_F(Panel, TheSkinBringsItsPiecesAndPointerAndStaysInAGameOver) {
    Play();
    const auto workPixels = [](const Picture& p) {
        std::vector<uint16_t> pixels;
        for (int y = p.top; y <= p.bottom; ++y)
            for (int x = p.left; x <= p.right; ++x) pixels.push_back(PixelOf(WorkSlot, x, y));
        return pixels;
    };
    const int skin = Game.SkinIndex;
    for (int press = 1; press <= 3; ++press) {
        const std::vector<uint16_t> before = workPixels(Named("pipe_3"));
        Click(kSkin);
        EXPECT_EQ(Game.SkinIndex, (skin + press) % 3);
        EXPECT_NE(workPixels(Named("pipe_3")), before) << "the skin is loaded afresh";
        EXPECT_TRUE(Showing(WorkPicture("cursor_sprite"), true, Cursor.DrawnLeft, Cursor.DrawnTop, true));
        for (int cell = 0; cell < kCells; ++cell) {
            const int col = cell % kBoardSize, row = cell / kBoardSize, code = Game.Board[cell];
            if (code < 7 && !Game.LockFlags[cell]) {
                const Picture pipe = Named("pipe_" + std::to_string(code));
                EXPECT_TRUE(Showing(pipe, false, CellX(col), CellY(row))) << col << "," << row;
            }
        }
    }
    Over();
    Click(kSkin);
    EXPECT_EQ(Game.SkinIndex, skin);
}

TEST_F(Panel, TheOtherButtonsReachTheirOptionsTheDesktopAndTheOtherScreens) {
    Play(2);
    Over();
    Click(kGiveUpPlace);
    EXPECT_EQ(Heard(8), 1) << "a game that is over is not given up again";
    const uint8_t sound = Sound.SoundOn, music = Music.MusicOn;
    for (const Picture& button : {WorkPicture("button_sound"), WorkPicture("button_music"),
                                  WorkPicture("button_minimise"), WorkPicture("button_home")})
        Click(button);
    EXPECT_EQ(Sound.SoundOn, 1 - sound);
    EXPECT_EQ(Music.MusicOn, 1 - music);
    EXPECT_EQ(hl::Get().minimiseCount, 1);
    Click(WorkPicture("button_help"));
    EXPECT_EQ(Front.ReturnState, GameOver);
}

TEST_F(Panel, TheManualIsOpenedAsAFileUrlWithWhatAUrlCannotHoldEncoded) {
    const struct {
        const char* folder;
        const char* url;
    } cases[] = {
        {"/home/a b/50%#?&'\"$/", "file:///home/a%20b/50%25%23%3F%26%27%22%24/manual.html"},
        {"/spiele/\xC3\xA4/", "file:///spiele/%C3%A4/manual.html"},
        {"C:\\Games\\Torvanex\\", "file:///C:/Games/Torvanex/manual.html"},
        {"games/", ""},
    };
    for (const auto& c : cases) {
        Files.ProgramFolder = c.folder;
        EXPECT_EQ(ManualPageUrl(), c.url) << c.folder;
    }
}

}  // namespace
