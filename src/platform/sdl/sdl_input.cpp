// SDL events become the game's window messages, in the order they arrived.
#include <algorithm>

#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_events.h"

namespace platform::sdl {
namespace {

void Post(MsgKind kind, uint32_t wParam = 0, int32_t x = 0, int32_t y = 0) { queue::Push({kind, wParam, x, y}); }

// The game only knows its 800x600 picture: the pointer over the letterbox
// bars is at the picture's nearest edge.
void ReportPointer(int32_t windowX, int32_t windowY) {
    Backend& st = State();
    int x = 0, y = 0;
    WindowToPicture(windowX, windowY, x, y);
    st.lastMouseX = x;
    st.lastMouseY = y;
    Post(MsgKind::MouseMove, 0, x, y);
}

void OnButton(const SDL_MouseButtonEvent& button) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    MsgKind kind;
    if (button.button == SDL_BUTTON_LEFT) kind = down ? MsgKind::LButtonDown : MsgKind::LButtonUp;
    else if (button.button == SDL_BUTTON_RIGHT) kind = down ? MsgKind::RButtonDown : MsgKind::RButtonUp;
    else return;
    // The game takes the position of a click from the last mouse move. X can
    // deliver a click where no move was reported (a window that appeared
    // under a resting pointer), so report the position first.
    const Backend& st = State();
    int x = 0, y = 0;
    WindowToPicture(button.x, button.y, x, y);
    if (x != st.lastMouseX || y != st.lastMouseY) ReportPointer(button.x, button.y);
    Post(kind, 0, st.lastMouseX, st.lastMouseY);
}

void OnKeyDown(const SDL_KeyboardEvent& key) {
    Backend& st = State();
    const SDL_Keysym& sym = key.keysym;
    // Alt combinations are system keys to the game: they type nothing and
    // send no key message; Alt+F4 closes the window, Alt+Enter switches
    // between the whole screen and a window.
    const bool systemKey = (sym.mod & KMOD_ALT) && !(sym.mod & KMOD_CTRL);
    st.dropNextText = systemKey;
    if (systemKey) {
        if (sym.sym == SDLK_F4 && !key.repeat) Post(MsgKind::Close);
        if ((sym.sym == SDLK_RETURN || sym.sym == SDLK_KP_ENTER) && !key.repeat) ToggleWindowMode();
        return;
    }
    if (const uint32_t vk = VirtualKeyOf(sym)) Post(MsgKind::KeyDown, vk);
    if (const uint32_t c = CharacterOfKey(sym)) Post(MsgKind::Char, c);
}

void OnText(const char* utf8) {
    Backend& st = State();
    if (st.dropNextText) {
        st.dropNextText = false;
        return;
    }
    for (const char c : ToWindows1252(utf8)) Post(MsgKind::Char, static_cast<uint8_t>(c));
}

// The window lost its pixels (or may have): it is sent whole again.
void WindowNeedsAll() { State().windowStale = true; }

// Returning to the game is, for the game, returning from another display
// mode: the screen is reported lost and the game rebuilds it.
void OnActivation(bool active) {
    Backend& st = State();
    if (st.active == active) return;
    st.active = active;
    if (active) {
        if (memory::Surface* primary = memory::Find(memory::PrimaryHandle())) primary->lost = true;
    }
    Post(MsgKind::ActivateApp, active ? 1 : 0);
}

void OnWindowEvent(const SDL_WindowEvent& window) {
    Backend& st = State();
    switch (window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: OnActivation(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: OnActivation(false); break;
        case SDL_WINDOWEVENT_MINIMIZED: st.minimised = true; break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            st.minimised = false;
            WindowNeedsAll();
            break;
        case SDL_WINDOWEVENT_SHOWN:
            st.hidden = false;
            WindowNeedsAll();
            break;
        case SDL_WINDOWEVENT_HIDDEN: st.hidden = true; break;
        case SDL_WINDOWEVENT_EXPOSED: WindowNeedsAll(); break;
        // The picture is fitted to the new size before the next pointer position.
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (st.windowSurface) FitWindow();
            break;
        case SDL_WINDOWEVENT_CLOSE: Post(MsgKind::Close); break;
        default: break;
    }
}

}  // namespace

void TranslateEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: OnKeyDown(event.key); break;
        case SDL_TEXTINPUT: OnText(event.text.text); break;
        case SDL_MOUSEMOTION: ReportPointer(event.motion.x, event.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: OnButton(event.button); break;
        case SDL_WINDOWEVENT: OnWindowEvent(event.window); break;
        // SIGTERM, SIGINT and the session ending arrive this way.
        case SDL_QUIT: Post(MsgKind::Close); break;
        default:
            if (event.type >= SDL_USEREVENT && event.type == MusicEndedEventType()) Post(MsgKind::MusicNotify);
            break;
    }
}

// SDL's look at the X connection reads it several times over, and polling
// event by event looks once per event: some 600 fruitless reads a second. It
// looks once, and only when something may be there: the socket has data, a
// round trip may have read some, or a quarter second has passed (SDL turns
// SIGTERM into a quit only when it looks).
void PumpEvents() {
    Backend& st = State();
    const auto now = static_cast<int64_t>(SDL_GetPerformanceCounter());
    const int64_t quarterSecond = static_cast<int64_t>(SDL_GetPerformanceFrequency()) / 4;
    if (st.xConnection < 0 || st.xLookOwed || now - st.lastXLook >= quarterSecond || SocketHasData(st.xConnection)) {
        SDL_PumpEvents();
        st.xLookOwed = false;
        st.lastXLook = now;
    }
    TakePushedEvents();
}

void TakePushedEvents() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) TranslateEvent(event);
}

}  // namespace platform::sdl

namespace platform {

bool TakeMessage(Message& out) {
    sdl::PumpEvents();
    // Between passes of the main loop every drawing has its cursor back on.
    sdl::PresentIfDue();
    sdl::ReportPresentStats(false);
    return queue::Pop(out);
}

bool TakeMessageOfKind(MsgKind kind, Message& out) {
    sdl::PumpEvents();
    return queue::PopKind(kind, out);
}

void PostMessage(const Message& message) { queue::Push(message); }

void PostQuit(int exitStatus) { queue::Push({MsgKind::Quit, static_cast<uint32_t>(exitStatus), 0, 0}); }

}  // namespace platform
