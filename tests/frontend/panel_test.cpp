// The panel as a player meets it: which button lights up under the pointer,
// and what each press does in the states where it acts and where it does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
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
const Picture kSpeed = WorkPicture("button_speed"), kLevel = WorkPicture("button_level"),
              kStop = WorkPicture("button_stop"), kSkin = WorkPicture("button_skin"),
              kNewGame = WorkPicture("button_newgame"), kGiveUp = WorkPicture("button_giveup"),
              kMode = WorkPicture("mode_title_0");

class Panel : public FreshProgram {
public:
    void Play(int mode = 0) {
        std::ofstream(Folder() + "ngame", std::ios::binary).put(static_cast<char>(mode));
        ASSERT_TRUE(StartUp());
        Settle(0);
        Type(' ');
        ASSERT_EQ(Game.ScreenState, Playing);
    }
    void Settle(int64_t ms = 100) {
        while (hl::PendingScripted() > 0) RunPass();
        RunUntilMs(hl::NowMs() + ms);
    }
    void Type(uint32_t c) {
        hl::Schedule(hl::NowMs(), {MsgKind::Char, c, 0, 0});
        Settle(700);
    }
    void Move(Point p) {
        hl::Schedule(hl::NowMs(), {MsgKind::MouseMove, 0, p.x, p.y});
        Settle();
    }
    void Click(Point p, MsgKind button = MsgKind::LButtonDown) {
        Move(p);
        hl::Schedule(hl::NowMs(), {button, 0, p.x, p.y});
        Settle();
    }
    void Click(const Picture& p, MsgKind button = MsgKind::LButtonDown) { Click(On(p), button); }
    // The picture shows at its place once the pointer is taken off the screen.
    static bool Showing(const Picture& p) {
        EraseCursor();
        const bool shown = ShowsAtItsPlace(p);
        DrawCursor();
        return shown;
    }
    // The same for a keyed picture, whose black pixels let the background show.
    static bool ShowingKeyed(const Picture& p, bool takePointerOff = true) {
        if (takePointerOff) EraseCursor();
        bool shown = true;
        for (int j = 0; j < p.height(); ++j)
            for (int i = 0; i < p.width(); ++i) {
                const uint16_t from = PixelOf(WorkSlot, p.left + i, p.top + j);
                shown = shown && (from == 0 || PixelOf(PrimarySlot, p.destX + i, p.destY + j) == from);
            }
        if (takePointerOff) DrawCursor();
        return shown;
    }
    static std::vector<uint16_t> WorkPixels(const Picture& p) {
        std::vector<uint16_t> pixels;
        for (int j = 0; j < p.height(); ++j)
            for (int i = 0; i < p.width(); ++i) pixels.push_back(PixelOf(WorkSlot, p.left + i, p.top + j));
        return pixels;
    }
    static int Heard(int effect) { return static_cast<int>(std::ranges::count(EffectsHeard(), effect)); }
};

TEST_F(Panel, TheHighlightMovesStraightFromButtonToButtonAndGoesOutOffThem) {
    Play();
    struct Step {
        Point at;
        int lit;           // the button lit afterwards, kNoButton for none
        Picture shown;     // what then shows at that button's place
        Picture left;      // and at the place of the one lit before
    };
    const Picture help = WorkPicture("button_help"), sound = WorkPicture("button_sound");
    const Picture minimise = WorkPicture("button_minimise"), exit = WorkPicture("button_exit");
    const Picture home = WorkPicture("button_home");
    const Step steps[] = {
        {On(help), 0, WorkPicture("button_help_hl"), WorkPicture("button_help_hl")},
        {On(sound), 1, WorkPicture("button_sound_hl"), help},
        {On(minimise), 3, WorkPicture("button_minimise_hl"), sound},
        {kEmptyTopBar, kNoButton, minimise, minimise},
        {On(exit), 5, WorkPicture("button_exit_hl"), minimise},
        {kOnBoard, kNoButton, exit, exit},
        {On(kMode), 6, WorkPicture("mode_title_0_hl"), exit},
        {On(kNewGame), 7, WorkPicture("button_newgame_hl"), kMode},
        {On(kSpeed), 8, WorkPicture("button_speed_hl"), kNewGame},
        {On(kStop), 10, WorkPicture("button_stop_hl"), kSpeed},
        {On(kSkin), 11, WorkPicture("button_skin_hl"), kStop},
        {On(home), 12, WorkPicture("button_home_hl"), kSkin},
        {kGiveUpPlace, kNoButton, home, home},   // no give-up button outside mode 2
    };
    for (const Step& s : steps) {
        Move(s.at);
        EXPECT_EQ(Game.HoverButton, s.lit) << s.at.x << "," << s.at.y;
        EXPECT_TRUE(Showing(s.shown) && Showing(s.left)) << s.at.x << "," << s.at.y;
    }
}

TEST_F(Panel, OnlyButtonsThatWouldActLightUp) {
    struct Case {
        const char* what;
        int mode;
        std::function<void(Panel&)> into;
        Picture button, lit;
        bool lights;
    };
    const auto stop = [](Panel& t) { t.Click(kStop); };
    const auto over = [](Panel&) { Game.Score = 0, EndGame(); };
    const Case cases[] = {
        {"level while playing", 0, [](Panel&) {}, kLevel, WorkPicture("button_level_hl"), false},
        {"level while stopped", 0, stop, kLevel, WorkPicture("button_level_hl"), true},
        {"stop while stopped", 0, stop, kStop, WorkPicture("button_stop_hl"), false},
        {"speed 9 while playing", 0, [](Panel&) { Game.Speed = 9; }, kSpeed, WorkPicture("button_speed_hl"), false},
        {"speed 9 while stopped", 1, [&](Panel& t) { stop(t), Game.Speed = 9; }, kSpeed,
         WorkPicture("button_speed_hl"), true},
        {"speed in a game over", 0, over, kSpeed, WorkPicture("button_speed_hl"), false},
        {"skin in a game over", 0, over, kSkin, WorkPicture("button_skin_hl"), false},
        {"speed in mode 2", 2, [](Panel&) {}, kSpeed, WorkPicture("button_speed_hl"), false},
        {"give up in mode 2", 2, [](Panel&) {}, kGiveUp, WorkPicture("button_giveup_hl"), true},
        {"give up in a game over", 2, over, kGiveUp, WorkPicture("button_giveup_hl"), false},
    };
    for (const Case& c : cases) {
        SetUp();
        Play(c.mode);
        c.into(*this);
        Move(kOnBoard);
        Move(On(c.button));
        EXPECT_EQ(Game.HoverButton != kNoButton, c.lights) << c.what;
        EXPECT_TRUE(Showing(c.lights ? c.lit : c.button)) << c.what;
        TearDown();
    }
}

TEST_F(Panel, SpeedRisesWhilePlayingCyclesWhileStoppedAndStaysPutWhenOverOrInModeTwo) {
    Play();
    const auto press = [&](MsgKind button, int times = 1) {
        for (int i = 0; i < times; ++i) Click(kSpeed, button);
        return Game.Speed;
    };
    EXPECT_EQ(press(MsgKind::LButtonDown, 12), 9) << "it stops at 9";
    EXPECT_EQ(Game.HoverButton, kNoButton) << "and no longer lights up";
    EXPECT_EQ(Heard(4), 9);
    EXPECT_EQ(press(MsgKind::RButtonDown), 9) << "it cannot be lowered during a game";
    Game.Speed = 0;
    EXPECT_EQ(press(MsgKind::RButtonDown), 9) << "but from 0 it jumps to 9";
    Click(kStop);
    EXPECT_EQ(press(MsgKind::LButtonDown), 0);
    EXPECT_EQ(press(MsgKind::RButtonDown), 9);
    EXPECT_EQ(press(MsgKind::RButtonDown), 8);
    Click(kNewGame);
    Game.Score = 0, EndGame();
    EXPECT_EQ(press(MsgKind::LButtonDown), 8) << "a game that is over keeps its speed";

    SetUp();
    Play(2);
    const size_t before = EffectsHeard().size();
    EXPECT_EQ(press(MsgKind::LButtonDown) + press(MsgKind::RButtonDown), 0);
    EXPECT_EQ(EffectsHeard().size(), before) << "mode 2 has no speed";
}

TEST_F(Panel, LevelStopAndSkinActOnlyWhereTheyMeanSomething) {
    Play();
    const int level = Game.Level, skin = Game.SkinIndex;
    Click(kLevel);
    EXPECT_EQ(Game.Level, level) << "pieces are on the board";
    Click(kStop);
    EXPECT_EQ(Game.ScreenState, Stopped);
    EXPECT_EQ(Game.PieceCount, 0);
    EXPECT_TRUE(std::ranges::all_of(Game.Board, [](uint8_t c) { return c == kEmptyPipeCell; }));
    EXPECT_TRUE(Showing(kStop)) << "the stop button is no longer lit";
    Click(kStop);
    EXPECT_EQ(Heard(6), 1) << "stopping twice";
    Click(kLevel);
    EXPECT_EQ(Game.Level, 1 - level);
    EXPECT_EQ(Heard(7), 1);
    EXPECT_TRUE(ShowingKeyed(level == 0 ? WorkPicture("level_glyph_1") : WorkPicture("level_glyph_0")));

    // Each skin brings its own pieces and pointer, loaded afresh into the WorkSlot.
    Click(kNewGame);
    const Picture pipes[7] = {WorkPicture("pipe_0"), WorkPicture("pipe_1"), WorkPicture("pipe_2"),
                              WorkPicture("pipe_3"), WorkPicture("pipe_4"), WorkPicture("pipe_5"),
                              WorkPicture("pipe_6")};
    const Picture sprite = WorkPicture("cursor_sprite");
    for (int press = 1; press <= 3; ++press) {
        const std::vector<uint16_t> before = WorkPixels(pipes[3]);
        Click(kSkin);
        EXPECT_EQ(Game.SkinIndex, (skin + press) % 3);
        EXPECT_NE(WorkPixels(pipes[3]), before) << "skin " << Game.SkinIndex;
        // The pointer is drawn from the new skin, and so are the pieces.
        EXPECT_TRUE(ShowingKeyed({sprite.left, sprite.top, sprite.right, sprite.bottom, Cursor.DrawnLeft,
                                  Cursor.DrawnTop}, false));
        EraseCursor();
        for (int row = 0; row < kBoardSize; ++row)
            for (int col = 0; col < kBoardSize; ++col) {
                const uint8_t code = Game.Board[CellIndex(col, row)];
                if (code < 7 && !Game.LockFlags[CellIndex(col, row)]) {
                    EXPECT_TRUE(ShowsPicture(pipes[code], CellX(col), CellY(row))) << col << "," << row;
                }
            }
        DrawCursor();
    }
    Game.Score = 0, EndGame();
    Click(kSkin);
    EXPECT_EQ(Game.SkinIndex, skin) << "no skin change in a game over";
}

TEST_F(Panel, TheModeButtonStartsANewGameInTheNextModeAtSpeedZero) {
    Play();
    struct Next {
        int mode, pieces;
        Picture giveUpPlace;
    };
    for (const Next& n : {Next{1, 15, WorkPicture("giveup_blank")}, Next{2, 144, kGiveUp},
                          Next{0, -1, WorkPicture("giveup_blank")}}) {
        Game.Speed = 5;
        Click(kMode);
        EXPECT_EQ(Game.GameMode, n.mode);
        EXPECT_EQ(Front.ScoresViewMode, n.mode);
        EXPECT_EQ(Game.Speed, 0);
        EXPECT_EQ(Game.ScreenState, Playing);
        if (n.pieces >= 0) {
            EXPECT_EQ(Game.PieceCount, n.pieces);
        }
        EXPECT_TRUE(Showing(n.giveUpPlace)) << n.mode;
    }
    EXPECT_TRUE(Showing(WorkPicture("counter_strip"))) << "mode 2's counters are gone";
    EXPECT_EQ(Heard(2), 4) << "four boards set up";
}

TEST_F(Panel, TheOtherButtonsReachTheirOptionsTheDesktopAndTheOtherScreens) {
    Play(2);
    Game.Score = 0, EndGame();
    Click(kGiveUpPlace);
    EXPECT_EQ(Heard(8), 1) << "giving up a game that is over";
    const uint8_t sound = Sound.SoundOn, music = Music.MusicOn;
    Click(WorkPicture("button_sound"));
    Click(WorkPicture("button_music"));
    Click(WorkPicture("button_minimise"));
    Click(WorkPicture("button_home"));
    EXPECT_EQ(Sound.SoundOn, 1 - sound);
    EXPECT_EQ(Music.MusicOn, 1 - music);
    EXPECT_EQ(hl::Get().minimiseCount, 1);
    EXPECT_EQ(hl::Get().urlsOpened, std::vector<std::string>{"file://" + Folder() + "manual.html"});
    Click(WorkPicture("button_exit"));
    EXPECT_EQ(Game.ScreenState, TopScoresScreen);
    Type(' ');
    Click(WorkPicture("button_help"));
    EXPECT_EQ(Front.ReturnState, Playing);
}

TEST_F(Panel, TheManualIsOpenedAsAFileUrlWithWhatAUrlCannotHoldEncoded) {
    const struct {
        const char* folder;
        const char* url;
    } cases[] = {
        {"/opt/torvanex/", "file:///opt/torvanex/manual.html"},
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
