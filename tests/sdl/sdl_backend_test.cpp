// The SDL backend on SDL's dummy video driver: SDL events in, game messages
// out, waits that neither spin nor oversleep, and the primary surface reaching
// the window with its exact colours, letterboxed, only where it changed, at
// most once a refresh.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_events.h"

using platform::Message;
using platform::MsgKind;
using enum platform::MsgKind;
using Sent = std::vector<std::pair<MsgKind, uint32_t>>;

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
        // Showing the window activates the game even when no focus event comes.
        ASSERT_EQ(Drain(), (Sent{{ActivateApp, 1}}));
    }
    void TearDown() override {
        platform::DestroyMainWindow();
        platform::queue::Clear();
        platform::memory::ResetAll();
    }
    static std::vector<Message> Take() {
        std::vector<Message> out;
        for (Message m; platform::TakeMessage(m);) out.push_back(m);
        return out;
    }
    static Sent Drain() {
        Sent sent;
        for (const Message& m : Take()) sent.emplace_back(m.kind, m.wParam);
        return sent;
    }
    // Pushes an event of `type` bound to the window, as `fill` completes it.
    template <typename F>
    static void Push(Uint32 type, F fill) {
        SDL_Event e{};
        e.type = type;
        e.window.windowID = SDL_GetWindowID(platform::sdl::State().window);   // the same place in every event
        fill(e);
        SDL_PushEvent(&e);
    }
    static void Key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
        Push(SDL_KEYDOWN, [&](SDL_Event& e) { e.key.keysym.sym = sym, e.key.keysym.mod = mod; });
    }
    static void Text(const char* utf8) {
        Push(SDL_TEXTINPUT, [&](SDL_Event& e) { SDL_strlcpy(e.text.text, utf8, sizeof e.text.text); });
    }
    static void Window(SDL_WindowEventID id) { Push(SDL_WINDOWEVENT, [&](SDL_Event& e) { e.window.event = Uint8(id); }); }
    // An 800x600 point, sent in window pixels; points off the picture are sent as they are.
    static void Pointer(Uint32 type, int x, int y, Uint8 button = 0) {
        if (x >= 0 && x < 800 && y >= 0 && y < 600) platform::sdl::PictureToWindow(x, y, x, y);
        Push(type, [&](SDL_Event& e) {
            if (type == SDL_MOUSEMOTION) e.motion.x = x, e.motion.y = y;
            else e.button.button = button, e.button.x = x, e.button.y = y;
        });
    }
public:
    static platform::memory::ChangedArea& Changes() {
        return platform::memory::Find(platform::memory::PrimaryHandle())->changed;
    }
    static void Dirty(bool dirty) { dirty ? platform::memory::MarkPrimaryChanged() : Changes().Clear(); }
    static bool Dirty() { return !Changes().Empty(); }
    platform::SurfaceHandle primary = 0;
};

// Whether a changed screen is shown by `act`, a refresh after the last present.
template <typename F>
static bool ShownBy(F act) {
    SdlBackend::Dirty(true);
    SDL_Delay(40);
    act();
    return !SdlBackend::Dirty();
}

TEST_F(SdlBackend, KeysBecomeVirtualKeysAndTheCharactersWindowsTypes) {
    const struct { const char* name; SDL_Keycode sym; Uint16 mod; Sent sent; } cases[] = {
        {"Left", SDLK_LEFT, KMOD_NONE, {{KeyDown, 0x25}}},
        {"F12", SDLK_F12, KMOD_NONE, {{KeyDown, 0x7B}}},
        {"Delete", SDLK_DELETE, KMOD_NONE, {{KeyDown, 0x2E}}},
        {"Page Down", SDLK_PAGEDOWN, KMOD_NONE, {{KeyDown, 0x22}}},
        {"Escape", SDLK_ESCAPE, KMOD_NONE, {{KeyDown, 0x1B}, {Char, 27}}},
        {"Enter", SDLK_RETURN, KMOD_NONE, {{KeyDown, 0x0D}, {Char, 13}}},
        {"Backspace", SDLK_BACKSPACE, KMOD_NONE, {{KeyDown, 0x08}, {Char, 8}}},
        {"Ctrl+C", SDLK_c, KMOD_LCTRL, {{KeyDown, 0x43}, {Char, 3}}},
        {"Ctrl+Enter", SDLK_RETURN, KMOD_LCTRL, {{KeyDown, 0x0D}, {Char, 10}}},
        {"Ctrl+Backspace", SDLK_BACKSPACE, KMOD_RCTRL, {{KeyDown, 0x08}, {Char, 127}}},
        {"Ctrl+[", SDLK_LEFTBRACKET, KMOD_LCTRL, {{KeyDown, 0xDB}, {Char, 27}}},
        {"plain a: letters type through text events, never twice", SDLK_a, KMOD_NONE, {{KeyDown, 0x41}}},
        {"keypad 8, Num Lock on", SDLK_KP_8, KMOD_NUM, {{KeyDown, 0x68}}},
        {"keypad 8, Num Lock off", SDLK_KP_8, KMOD_NONE, {{KeyDown, 0x26}}},
        {"keypad 5, Num Lock off", SDLK_KP_5, KMOD_NONE, {{KeyDown, 0x0C}}},
        {"Alt+x is a system key", SDLK_x, KMOD_LALT, {}},
        {"Alt+F4 closes", SDLK_F4, KMOD_LALT, {{Close, 0}}},
        {"AltGr+q comes as Ctrl+Alt and types text", SDLK_q, KMOD_LCTRL | KMOD_RALT, {{KeyDown, 0x51}}},
        {"unknown key", SDLK_VOLUMEUP, KMOD_NONE, {}},
    };
    for (const auto& c : cases) {
        Key(c.sym, c.mod);
        EXPECT_EQ(Drain(), c.sent) << c.name;
    }
}

TEST_F(SdlBackend, TextArrivesAsWindows1252BytesAndWhatTheCodePageLacksIsLeftOut) {
    Text("a");
    Text("\xC3\xA9\xE2\x82\xAC");   // e acute, euro sign
    Text("\xE6\x97\xA5!");           // a character the code page lacks, then '!'
    Key(SDLK_x, KMOD_LALT);          // the text of an Alt combination is dropped
    Text("x");
    Text("y");
    EXPECT_EQ(Drain(), (Sent{{Char, 'a'}, {Char, 0xE9}, {Char, 0x80}, {Char, '!'}, {Char, 'y'}}));
    const std::pair<const char*, const char*> cases[] = {
        {"\x80" "a\xC3", "a"},              // a stray continuation, a cut-off sequence
        {"\xC0\xA1" "b", "b"},              // an overlong '!'
        {"\xC3" "c", "c"},                  // a lead byte without its continuation
        {"\xF0\x9F\x98\x80" "d", "d"},      // outside the code page
        {"\t\x7F" "e", "e"},                // control characters
        {"\xC2\x81\xE2\x80\x9C", "\x93"},   // U+0081 has no byte; the left quote has 0x93
    };
    for (const auto& [utf8, bytes] : cases) EXPECT_EQ(platform::sdl::ToWindows1252(utf8), bytes);
    EXPECT_EQ(platform::sdl::Utf8FromWindows1252("Caf\xE9 \x80\x81"), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST_F(SdlBackend, PointerPositionsAreScreenPixelsAndAClickElsewhereReportsItsPlaceFirst) {
    for (const auto& [x, y] : {std::pair{500, 300}, {-200, -200}, {5000, 5000}, {100, 200}}) Pointer(SDL_MOUSEMOTION, x, y);
    Pointer(SDL_MOUSEBUTTONDOWN, 100, 200, SDL_BUTTON_LEFT);
    Pointer(SDL_MOUSEBUTTONUP, 100, 200, SDL_BUTTON_LEFT);
    Pointer(SDL_MOUSEBUTTONDOWN, 300, 400, SDL_BUTTON_RIGHT);
    Pointer(SDL_MOUSEBUTTONUP, 300, 400, SDL_BUTTON_RIGHT);
    Pointer(SDL_MOUSEBUTTONDOWN, 300, 400, SDL_BUTTON_MIDDLE);
    std::vector<std::tuple<MsgKind, int, int>> got;
    for (const Message& m : Take()) got.emplace_back(m.kind, m.x, m.y);
    EXPECT_EQ(got, (std::vector<std::tuple<MsgKind, int, int>>{
                       {MouseMove, 500, 300}, {MouseMove, 0, 0}, {MouseMove, 799, 599}, {MouseMove, 100, 200},
                       {LButtonDown, 100, 200}, {LButtonUp, 100, 200}, {MouseMove, 300, 400},
                       {RButtonDown, 300, 400}, {RButtonUp, 300, 400}}));
}

TEST_F(SdlBackend, FocusChangesActivateOnceAndLoseTheScreenOnReturnAndClosingCloses) {
    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(Drain(), (Sent{{ActivateApp, 0}}));
    EXPECT_FALSE(platform::IsSurfaceLost(primary));
    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(Drain(), (Sent{{ActivateApp, 1}}));
    EXPECT_TRUE(platform::IsSurfaceLost(primary));
    Window(SDL_WINDOWEVENT_CLOSE);
    Push(SDL_QUIT, [](SDL_Event&) {});
    EXPECT_EQ(Drain(), (Sent{{Close, 0}, {Close, 0}}));
}

TEST_F(SdlBackend, WaitsEndAtTheDeadlineWithoutSpinningOrAtTheEndOfAPiece) {
    const int64_t frequency = platform::CounterFrequency();
    for (const int64_t micros : {300, 1500, 23000, 55556}) {
        const int64_t deadline = platform::ReadCounter() + frequency * micros / 1000000;
        int calls = 0;
        for (; platform::ReadCounter() < deadline; ++calls) platform::WaitForMessage(deadline);
        EXPECT_LE(calls, 2) << micros;
        // Loose: a busy machine wakes late, a wrong wait oversleeps by a tick.
        EXPECT_LT(double(platform::ReadCounter() - deadline) * 1000 / frequency, 25.0) << micros;
    }
    const int64_t start = platform::ReadCounter();
    std::thread audio([] {
        SDL_Delay(30);
        Push(platform::sdl::MusicEndedEventType(), [](SDL_Event&) {});
    });
    platform::WaitForMessage(start + frequency * 5);
    audio.join();
    EXPECT_LT(double(platform::ReadCounter() - start) / frequency, 1.0) << "the audio thread woke the wait";
    EXPECT_EQ(Drain(), (Sent{{MusicNotify, 0}}));
}

TEST_F(SdlBackend, TheWindowShowsThePicturesExactColoursBetweenBlackBars) {
    SDL_Window* window = platform::sdl::State().window;
    SDL_SetWindowSize(window, 1280, 600);   // wider than the picture: a bar either side
    Drain();
    // Pure green is the value that SDL's own 565 upload gets wrong on 24-bit screens.
    const uint16_t quarters[4] = {0x07E0, 0xF800, 0x8410, 0x0821};
    const uint32_t expected[4] = {0x00FF00u, 0xFF0000u, 0x848284u, 0x080408u};
    platform::memory::Surface* s = platform::memory::Find(primary);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) s->pixels[y * 800 + x] = quarters[(y >= 300) * 2 + (x >= 400)];
    ASSERT_TRUE(ShownBy([] { platform::WaitForMessage(platform::ReadCounter()); }));
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    ASSERT_EQ(shown->format->BytesPerPixel, 4);
    const auto rgb = [shown](int wx, int wy) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(static_cast<const uint32_t*>(shown->pixels)[wy * shown->pitch / 4 + wx], shown->format, &r, &g, &b);
        return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
    };
    for (int q = 0; q < 4; ++q) {
        int wx = 0, wy = 0;
        platform::sdl::PictureToWindow(200 + 400 * (q % 2), 150 + 300 * (q / 2), wx, wy);
        EXPECT_EQ(rgb(wx, wy), expected[q]) << "quarter " << q;
    }
    EXPECT_TRUE(rgb(239, 300) == 0 && rgb(1040, 300) == 0) << "the bars either side";
    // The pointer over a bar is at the picture's nearest edge.
    Push(SDL_MOUSEMOTION, [](SDL_Event& e) { e.motion.x = 100, e.motion.y = 10; });
    Push(SDL_MOUSEMOTION, [](SDL_Event& e) { e.motion.x = 1200, e.motion.y = 590; });
    std::vector<std::pair<int, int>> got;
    for (const Message& m : Take()) got.emplace_back(m.x, m.y);
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{0, 10}, {799, 590}}));
}

TEST_F(SdlBackend, ACursorMoveSendsTwoSmallAreasNotTheScreen) {
    ASSERT_TRUE(ShownBy([] { platform::WaitForVerticalBlank(); }));
    platform::SurfaceHandle sprite = 0;
    ASSERT_EQ(platform::CreateSurface(18, 25, platform::SurfaceKind::SystemMemory, sprite), platform::kDdOk);
    const int64_t before = platform::sdl::State().pixelsSent;
    // The cursor's background is put back where it was, and the cursor drawn where it goes.
    ASSERT_EQ(platform::BltFast(primary, 100, 100, sprite, {0, 0, 18, 25}, false), platform::kDdOk);
    ASSERT_EQ(platform::BltFast(primary, 500, 400, sprite, {0, 0, 18, 25}, false), platform::kDdOk);
    SDL_Delay(40);
    platform::WaitForVerticalBlank();
    const double scale = SDL_GetWindowSurface(platform::sdl::State().window)->h / 600.0;
    const int64_t sent = platform::sdl::State().pixelsSent - before;
    EXPECT_GT(sent, 0);
    EXPECT_LE(double(sent), 2 * (18 * scale + 1) * (25 * scale + 1)) << "window pixels sent";
}

TEST_F(SdlBackend, PresentsOnlyWhenVisibleWholeAndAtMostOncePerRefresh) {
    const auto blank = [] { platform::WaitForVerticalBlank(); };
    ASSERT_TRUE(ShownBy(blank));
    // A second change within the same refresh waits, and is not lost. (A long
    // refresh keeps a busy machine from passing it between the two calls.)
    const int64_t refresh = platform::sdl::State().presentInterval;
    platform::sdl::State().presentInterval = platform::CounterFrequency() / 5;
    Dirty(true);
    platform::WaitForVerticalBlank();
    EXPECT_TRUE(Dirty());
    platform::WaitForMessage(platform::ReadCounter() + platform::CounterFrequency() / 2);
    EXPECT_FALSE(Dirty());
    platform::sdl::State().presentInterval = refresh;
    // A minimised window shows nothing until it is restored.
    Window(SDL_WINDOWEVENT_MINIMIZED);
    Drain();
    EXPECT_FALSE(ShownBy([] {
        platform::WaitForVerticalBlank(), platform::Sleep(1);
        platform::WaitForMessage(platform::ReadCounter() + platform::CounterFrequency() / 50);
    }));
    Window(SDL_WINDOWEVENT_RESTORED);
    EXPECT_TRUE(ShownBy([] { Drain(), SDL_Delay(40), platform::Sleep(1); }));
    // A locked screen is half drawn: it waits for the unlock.
    uint16_t* pixels = nullptr;
    int32_t pitch = 0;
    ASSERT_EQ(platform::LockSurface(primary, pixels, pitch), platform::kDdOk);
    EXPECT_FALSE(ShownBy(blank));
    platform::UnlockSurface(primary);
    EXPECT_TRUE((platform::WaitForVerticalBlank(), !Dirty()));
}

// Without a display, or with one that does not answer, SDL falls back to a
// driver that shows nothing; the game itself must end at once with the
// display message and a failure status, not run unseen with its music on.
TEST(SdlWindow, NoDisplayEndsTheGameWithTheDisplayMessageNotAnInvisibleRun) {
    int dead = 150;   // a display number no X server listens on
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(dead))) ++dead;
    const std::string deadDisplay = "DISPLAY=:" + std::to_string(dead);
    for (const std::string& set : {std::string(), deadDisplay, std::string("WAYLAND_DISPLAY=torvanex-none"),
                                   deadDisplay + " SDL_VIDEODRIVER=x11"}) {
        SCOPED_TRACE("no display " + set);
        // 137 is the status of a game still running unseen when it is killed.
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy " +
                                    set + " timeout -s KILL 10 " TORVANEX_GAME " 2>&1 >/dev/null; echo status $?";
        FILE* run = popen(command.c_str(), "r");
        ASSERT_TRUE(run);
        std::string said;
        for (char part[256]; std::fgets(part, sizeof part, run);) said += part;
        pclose(run);
        EXPECT_NE(said.find("Can't create Directdraw object"), std::string::npos) << said;
        EXPECT_NE(said.find("status 1\n"), std::string::npos) << said;
    }
}
