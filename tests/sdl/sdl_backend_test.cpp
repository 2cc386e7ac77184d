// The SDL backend on SDL's dummy video driver: SDL events in, game messages
// out, and the primary surface reaching the window with its exact colours.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_events.h"

namespace {

using platform::Message;
using platform::MsgKind;

class SdlBackend : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        platform::queue::Clear();
        platform::memory::ResetAll();
        ASSERT_TRUE(platform::CreateMainWindow("Torvanex"));
        ASSERT_EQ(platform::InitDisplay(800, 600, 16), platform::kDdOk);
        ASSERT_EQ(platform::CreateSurface(800, 600, platform::SurfaceKind::Primary, primary), platform::kDdOk);
        windowId = SDL_GetWindowID(platform::sdl::State().window);
        // Showing the window activates the game even when no focus event comes.
        const std::vector<Message> start = Drain();
        ASSERT_FALSE(start.empty());
        EXPECT_EQ(start.front().kind, MsgKind::ActivateApp);
        EXPECT_EQ(start.front().wParam, 1u);
    }

    void TearDown() override {
        platform::DestroyMainWindow();
        platform::queue::Clear();
        platform::memory::ResetAll();
    }

    static std::vector<Message> Drain() {
        std::vector<Message> out;
        Message m;
        while (platform::TakeMessage(m)) out.push_back(m);
        return out;
    }

    SDL_Event Event(Uint32 type) const {
        SDL_Event e{};
        e.type = type;
        e.window.windowID = windowId;  // every window-bound event keeps it in the same place
        return e;
    }
    void PushKey(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
        SDL_Event e = Event(SDL_KEYDOWN);
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    void PushText(const char* utf8) {
        SDL_Event e = Event(SDL_TEXTINPUT);
        SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
        SDL_PushEvent(&e);
    }
    void PushWindowEvent(SDL_WindowEventID id) {
        SDL_Event e = Event(SDL_WINDOWEVENT);
        e.window.event = id;
        SDL_PushEvent(&e);
    }
    // Positions are in window pixels; the backend turns them into 800x600 ones.
    void PushMotion(int x, int y) {
        SDL_Event e = Event(SDL_MOUSEMOTION);
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    void PushButton(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event e = Event(type);
        e.button.button = button;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }

    // Window pixels of an 800x600 point on the dummy screen.
    static void ToWindow(int x, int y, int& wx, int& wy) { platform::sdl::PictureToWindow(x, y, wx, wy); }

    void FillPrimary(uint16_t topLeft, uint16_t topRight, uint16_t bottomLeft, uint16_t bottomRight) {
        platform::memory::Surface* s = platform::memory::Find(primary);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                s->pixels[y * 800 + x] = y < 300 ? (x < 400 ? topLeft : topRight) : (x < 400 ? bottomLeft : bottomRight);
        platform::memory::MarkPrimaryChanged();
    }

    bool Dirty() const { return !platform::memory::Find(primary)->changed.Empty(); }

    // A moment later than the last present, so the refresh limit allows another.
    static void PassOneRefresh() { SDL_Delay(40); }

    platform::SurfaceHandle primary = 0;
    Uint32 windowId = 0;
};

struct KeyCase {
    const char* name;
    SDL_Keycode sym;
    Uint16 mod;
    std::vector<Message> expected;
};

TEST_F(SdlBackend, KeysBecomeVirtualKeysAndTheCharactersWindowsTypes) {
    const std::vector<KeyCase> cases = {
        {"Left", SDLK_LEFT, KMOD_NONE, {{MsgKind::KeyDown, 0x25}}},
        {"F12", SDLK_F12, KMOD_NONE, {{MsgKind::KeyDown, 0x7B}}},
        {"Delete", SDLK_DELETE, KMOD_NONE, {{MsgKind::KeyDown, 0x2E}}},
        {"Escape", SDLK_ESCAPE, KMOD_NONE, {{MsgKind::KeyDown, 0x1B}, {MsgKind::Char, 27}}},
        {"Enter", SDLK_RETURN, KMOD_NONE, {{MsgKind::KeyDown, 0x0D}, {MsgKind::Char, 13}}},
        {"Backspace", SDLK_BACKSPACE, KMOD_NONE, {{MsgKind::KeyDown, 0x08}, {MsgKind::Char, 8}}},
        {"Ctrl+C", SDLK_c, KMOD_LCTRL, {{MsgKind::KeyDown, 0x43}, {MsgKind::Char, 3}}},
        {"Ctrl+Enter", SDLK_RETURN, KMOD_LCTRL, {{MsgKind::KeyDown, 0x0D}, {MsgKind::Char, 10}}},
        {"Ctrl+Backspace", SDLK_BACKSPACE, KMOD_RCTRL, {{MsgKind::KeyDown, 0x08}, {MsgKind::Char, 127}}},
        {"Ctrl+[", SDLK_LEFTBRACKET, KMOD_LCTRL, {{MsgKind::KeyDown, 0xDB}, {MsgKind::Char, 27}}},
        // Letters type through text events, never twice.
        {"plain a", SDLK_a, KMOD_NONE, {{MsgKind::KeyDown, 0x41}}},
        {"keypad 8, Num Lock on", SDLK_KP_8, KMOD_NUM, {{MsgKind::KeyDown, 0x68}}},
        {"keypad 8, Num Lock off", SDLK_KP_8, KMOD_NONE, {{MsgKind::KeyDown, 0x26}}},
        {"keypad 5, Num Lock off", SDLK_KP_5, KMOD_NONE, {{MsgKind::KeyDown, 0x0C}}},
        {"Alt+x is a system key", SDLK_x, KMOD_LALT, {}},
        {"Alt+F4 closes", SDLK_F4, KMOD_LALT, {{MsgKind::Close}}},
        // AltGr arrives as Ctrl+Alt and types text, not a control character.
        {"AltGr+q", SDLK_q, KMOD_LCTRL | KMOD_RALT, {{MsgKind::KeyDown, 0x51}}},
        {"unknown key", SDLK_VOLUMEUP, KMOD_NONE, {}},
    };
    for (const KeyCase& c : cases) {
        PushKey(c.sym, c.mod);
        const std::vector<Message> got = Drain();
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, c.expected[i].kind) << c.name;
            EXPECT_EQ(got[i].wParam, c.expected[i].wParam) << c.name;
        }
    }
}

TEST_F(SdlBackend, TextArrivesAsWindows1252Bytes) {
    PushText("a");
    PushText(" ");
    PushText("\xC3\xA9\xE2\x82\xAC");  // e acute, euro sign
    PushText("\xE6\x97\xA5!");          // a character the code page lacks, then '!'
    const std::vector<Message> got = Drain();
    const std::vector<uint32_t> expected = {'a', ' ', 0xE9, 0x80, '!'};
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].kind, MsgKind::Char);
        EXPECT_EQ(got[i].wParam, expected[i]);
    }
}

TEST_F(SdlBackend, MalformedOrForeignTextIsLeftOut) {
    using platform::sdl::ToWindows1252;
    EXPECT_EQ(ToWindows1252("\x80" "a\xC3"), "a");            // stray continuation, cut-off sequence
    EXPECT_EQ(ToWindows1252("\xC0\xA1" "b"), "b");            // overlong '!'
    EXPECT_EQ(ToWindows1252("\xC3" "c"), "c");                // a lead byte without its continuation
    EXPECT_EQ(ToWindows1252("\xF0\x9F\x98\x80" "d"), "d");    // outside the code page
    EXPECT_EQ(ToWindows1252("\t\x7F" "e"), "e");              // control characters
    EXPECT_EQ(ToWindows1252("\xC2\x81\xE2\x80\x9C"), "\x93");  // U+0081 has no byte; the left quote has 0x93
    EXPECT_EQ(platform::sdl::Utf8FromWindows1252("Caf\xE9 \x80\x81"), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST_F(SdlBackend, TextOfAnAltCombinationIsDropped) {
    PushKey(SDLK_x, KMOD_LALT);
    PushText("x");
    PushKey(SDLK_y);
    PushText("y");
    const std::vector<Message> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].kind, MsgKind::KeyDown);
    EXPECT_EQ(got[1].kind, MsgKind::Char);
    EXPECT_EQ(got[1].wParam, static_cast<uint32_t>('y'));
}

TEST_F(SdlBackend, MousePositionsAreScreenPixelsClampedToThePicture) {
    int wx = 0, wy = 0;
    ToWindow(500, 300, wx, wy);
    PushMotion(wx, wy);
    PushMotion(-200, -200);
    PushMotion(5000, 5000);
    const std::vector<Message> got = Drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].kind, MsgKind::MouseMove);
    EXPECT_EQ(got[0].x, 500);
    EXPECT_EQ(got[0].y, 300);
    EXPECT_EQ(got[1].x, 0);
    EXPECT_EQ(got[1].y, 0);
    EXPECT_EQ(got[2].x, 799);
    EXPECT_EQ(got[2].y, 599);
}

TEST_F(SdlBackend, AClickAwayFromTheLastMoveReportsItsPositionFirst) {
    int wx = 0, wy = 0, ox = 0, oy = 0;
    ToWindow(100, 200, wx, wy);
    ToWindow(300, 400, ox, oy);
    PushMotion(wx, wy);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, wx, wy);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, wx, wy);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, ox, oy);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, ox, oy);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, ox, oy);
    const std::vector<Message> got = Drain();
    const std::vector<MsgKind> kinds = {MsgKind::MouseMove,   MsgKind::LButtonDown, MsgKind::LButtonUp,
                                        MsgKind::MouseMove,   MsgKind::RButtonDown, MsgKind::RButtonUp};
    ASSERT_EQ(got.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(got[i].kind, kinds[i]) << i;
    EXPECT_EQ(got[3].x, 300);
    EXPECT_EQ(got[3].y, 400);
}

TEST_F(SdlBackend, FocusChangesActivateAndTheScreenIsLostOnReturn) {
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    std::vector<Message> got = Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, MsgKind::ActivateApp);
    EXPECT_EQ(got[0].wParam, 0u);
    EXPECT_FALSE(platform::IsSurfaceLost(primary));

    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    got = Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, MsgKind::ActivateApp);
    EXPECT_EQ(got[0].wParam, 1u);
    EXPECT_TRUE(platform::IsSurfaceLost(primary));
}

TEST_F(SdlBackend, CloseButtonAndQuitRequestBothClose) {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const std::vector<Message> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].kind, MsgKind::Close);
    EXPECT_EQ(got[1].kind, MsgKind::Close);
}

TEST_F(SdlBackend, TakingOneKindLeavesTheOthersInArrivalOrder) {
    int wx = 0, wy = 0;
    ToWindow(10, 20, wx, wy);
    PushKey(SDLK_RIGHT);
    PushMotion(wx, wy);
    PushText("q");
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, wx, wy);
    PushMotion(wx + 50, wy);
    Message m;
    ASSERT_TRUE(platform::TakeMessageOfKind(MsgKind::MouseMove, m));
    EXPECT_EQ(m.x, 10);
    ASSERT_TRUE(platform::TakeMessageOfKind(MsgKind::LButtonDown, m));
    const std::vector<Message> rest = Drain();
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0].kind, MsgKind::KeyDown);
    EXPECT_EQ(rest[1].kind, MsgKind::Char);
    EXPECT_EQ(rest[2].kind, MsgKind::MouseMove);
    EXPECT_GT(rest[2].x, 10);
}

TEST_F(SdlBackend, TheEndOfAPieceWakesTheWaitFromTheAudioThread) {
    const int64_t start = platform::ReadCounter();
    std::thread audio([] {
        SDL_Delay(30);
        SDL_Event e{};
        e.type = platform::sdl::MusicEndedEventType();
        SDL_PushEvent(&e);
    });
    platform::WaitForMessage(start + platform::CounterFrequency() * 5);
    audio.join();
    const double waited = double(platform::ReadCounter() - start) / platform::CounterFrequency();
    EXPECT_LT(waited, 1.0);
    Message m;
    ASSERT_TRUE(platform::TakeMessage(m));
    EXPECT_EQ(m.kind, MsgKind::MusicNotify);
}

TEST_F(SdlBackend, WaitingEndsAtTheDeadlineWithoutSpinning) {
    const int64_t frequency = platform::CounterFrequency();
    for (const int64_t micros : {300, 1500, 23000, 55556}) {
        const int64_t deadline = platform::ReadCounter() + frequency * micros / 1000000;
        int calls = 0;
        while (platform::ReadCounter() < deadline) {
            platform::WaitForMessage(deadline);
            ++calls;
        }
        const double lateMs = double(platform::ReadCounter() - deadline) * 1000 / frequency;
        EXPECT_LE(calls, 2) << micros;
        // A loose bound: a busy machine wakes late, a wrong wait oversleeps by a tick.
        EXPECT_LT(lateMs, 25.0) << micros;
    }
}

TEST_F(SdlBackend, TheWindowShowsThePicturesExactColoursLetterboxed) {
    SDL_Window* window = platform::sdl::State().window;
    // A window wider than the picture's proportions: bars left and right.
    SDL_SetWindowSize(window, 1280, 600);
    Drain();
    // Pure green is the value that SDL's own 565 upload gets wrong on 24-bit screens.
    FillPrimary(0x07E0, 0xF800, 0x8410, 0x0821);
    PassOneRefresh();
    platform::WaitForMessage(platform::ReadCounter());
    ASSERT_FALSE(Dirty());

    SDL_Surface* surface = SDL_GetWindowSurface(window);
    ASSERT_EQ(surface->w, 1280);
    ASSERT_EQ(surface->format->BytesPerPixel, 4);
    auto pixel = [&](int wx, int wy) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(static_cast<const uint32_t*>(surface->pixels)[wy * surface->pitch / 4 + wx], surface->format, &r,
                   &g, &b);
        return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
    };
    auto at = [&](int x, int y) {
        int wx = 0, wy = 0;
        ToWindow(x, y, wx, wy);
        return pixel(wx, wy);
    };
    EXPECT_EQ(at(200, 150), 0x00FF00u);
    EXPECT_EQ(at(600, 150), 0xFF0000u);
    EXPECT_EQ(at(200, 450), 0x848284u);
    EXPECT_EQ(at(600, 450), 0x080408u);
    EXPECT_EQ(pixel(239, 300), 0u) << "left bar";
    EXPECT_EQ(pixel(240, 300), 0x848284u) << "the picture's left edge";
    EXPECT_EQ(pixel(1039, 300), 0x080408u) << "the picture's right edge";
    EXPECT_EQ(pixel(1040, 300), 0u) << "right bar";

    // The pointer over a bar is at the picture's edge.
    PushMotion(100, 10);
    PushMotion(1200, 590);
    const std::vector<Message> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].x, 0);
    EXPECT_EQ(got[0].y, 10);
    EXPECT_EQ(got[1].x, 799);
    EXPECT_EQ(got[1].y, 590);
}

TEST_F(SdlBackend, ACursorMoveSendsTwoSmallAreasNotTheScreen) {
    FillPrimary(1, 1, 1, 1);
    PassOneRefresh();
    platform::WaitForVerticalBlank();
    ASSERT_FALSE(Dirty());
    platform::SurfaceHandle sprite = 0;
    ASSERT_EQ(platform::CreateSurface(18, 25, platform::SurfaceKind::SystemMemory, sprite), platform::kDdOk);
    const int64_t before = platform::sdl::State().pixelsSent;
    // The cursor leaves one place (its background is put back) and is drawn at another.
    ASSERT_EQ(platform::BltFast(primary, 100, 100, sprite, {0, 0, 18, 25}, false), platform::kDdOk);
    ASSERT_EQ(platform::BltFast(primary, 500, 400, sprite, {0, 0, 18, 25}, false), platform::kDdOk);
    PassOneRefresh();
    platform::WaitForVerticalBlank();
    const int64_t sent = platform::sdl::State().pixelsSent - before;
    SDL_Surface* surface = SDL_GetWindowSurface(platform::sdl::State().window);
    const double scale = double(surface->h) / 600;
    const double most = 2 * (18 * scale + 1) * (25 * scale + 1);
    EXPECT_GT(sent, 0);
    EXPECT_LE(double(sent), most) << "window pixels sent for two 18x25 areas";
}

TEST_F(SdlBackend, PresentsOnlyWhenVisibleAndAtMostOncePerRefresh) {
    FillPrimary(1, 2, 3, 4);
    PassOneRefresh();
    platform::WaitForVerticalBlank();
    ASSERT_FALSE(Dirty());

    // A second change within the same refresh waits, and is not lost. (A long
    // refresh keeps a busy machine from passing it between the two calls.)
    const int64_t refresh = platform::sdl::State().presentInterval;
    platform::sdl::State().presentInterval = platform::CounterFrequency() / 5;
    platform::memory::MarkPrimaryChanged();
    platform::WaitForVerticalBlank();
    EXPECT_TRUE(Dirty());
    platform::WaitForMessage(platform::ReadCounter() + platform::CounterFrequency() / 2);
    EXPECT_FALSE(Dirty());
    platform::sdl::State().presentInterval = refresh;

    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    Drain();
    platform::memory::MarkPrimaryChanged();
    PassOneRefresh();
    platform::WaitForVerticalBlank();
    platform::Sleep(1);
    platform::WaitForMessage(platform::ReadCounter() + platform::CounterFrequency() / 50);
    EXPECT_TRUE(Dirty());

    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    Drain();
    PassOneRefresh();
    platform::Sleep(1);
    EXPECT_FALSE(Dirty());
}

TEST_F(SdlBackend, AHalfDrawnScreenIsNotShown) {
    uint16_t* pixels = nullptr;
    int32_t pitch = 0;
    ASSERT_EQ(platform::LockSurface(primary, pixels, pitch), platform::kDdOk);
    platform::memory::MarkPrimaryChanged();
    PassOneRefresh();
    platform::WaitForVerticalBlank();
    EXPECT_TRUE(Dirty());
    platform::UnlockSurface(primary);
    platform::WaitForVerticalBlank();
    EXPECT_FALSE(Dirty());
}

// Without a display SDL falls back to a driver that shows nothing; the game
// must fail to start rather than run unseen.
TEST(SdlWindow, NoDisplayIsAFailureNotAnInvisibleGame) {
    const char* names[] = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : names) {
        if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
        unsetenv(name);
    }
    if (platform::CreateMainWindow("Torvanex")) {
        const std::string driver = SDL_GetCurrentVideoDriver();
        EXPECT_NE(driver, "offscreen");
        EXPECT_NE(driver, "dummy");
        platform::DestroyMainWindow();
    }
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
}

// SDL's reader trusts a header's claimed size: 65536 x 65536 at one bit a
// pixel overflows its arithmetic, and converting that would take gigabytes.
TEST(SdlBitmap, APictureClaimingMoreThanItsFileHoldsIsRefused) {
    auto header = [](int32_t width, int32_t height, uint16_t bits, uint32_t dataBytes) {
        std::vector<uint8_t> file(62 + dataBytes, 0x55);
        auto put = [&](size_t at, uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
        };
        file[0] = 'B';
        file[1] = 'M';
        put(2, static_cast<uint32_t>(file.size()), 4);
        put(10, 62, 4);  // pixels after the header and a two-colour palette
        put(14, 40, 4);
        put(18, static_cast<uint32_t>(width), 4);
        put(22, static_cast<uint32_t>(height), 4);
        put(26, 1, 2);
        put(28, bits, 2);
        put(30, 0, 4);
        put(46, 2, 4);
        return file;
    };
    const std::string path = testing::TempDir() + "torvanex-huge.bmp";
    std::vector<uint16_t> pixels;
    int width = 0, height = 0;
    for (const auto& [file, readable] : std::vector<std::pair<std::vector<uint8_t>, bool>>{
             {header(65536, 65536, 1, 16), false},
             {header(100, -30, 1, 16 * 30), true},  // stored top-down, every 16-byte row there
             {header(100, 30, 1, 16 * 29), false},  // a row short
         }) {
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
        EXPECT_EQ(platform::DecodeBitmapFile(path, pixels, width, height), readable);
        EXPECT_EQ(pixels.size(), readable ? 3000u : 0u);
    }
    std::remove(path.c_str());
}

}  // namespace
