// Keys in the terms the game was written for: virtual-key codes of the
// Windows set, and the control characters Windows types for some keys.
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

struct KeyCode {
    SDL_Keycode sym;
    uint32_t vk;
};

constexpr KeyCode kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},      {SDLK_CLEAR, 0x0C},    {SDLK_RETURN, 0x0D},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},   {SDLK_LCTRL, 0x11},    {SDLK_RCTRL, 0x11},
    {SDLK_PAUSE, 0x13},     {SDLK_CAPSLOCK, 0x14}, {SDLK_ESCAPE, 0x1B},   {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23},      {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},       {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},
    {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},   {SDLK_LGUI, 0x5B},     {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D}, {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_KP_ENTER, 0x0D},
    // Punctuation keys by their place on a US keyboard, as Windows names them.
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},   {SDLK_COMMA, 0xBC},    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},    {SDLK_BACKQUOTE, 0xC0}, {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

// The keypad digits and point: with Num Lock on they are the number keys,
// with it off the cursor keys printed beside them.
struct PadKey {
    SDL_Keycode sym;
    uint32_t withNumLock;
    uint32_t withoutNumLock;
};

constexpr PadKey kPadKeys[] = {
    {SDLK_KP_0, 0x60, 0x2D}, {SDLK_KP_1, 0x61, 0x23}, {SDLK_KP_2, 0x62, 0x28}, {SDLK_KP_3, 0x63, 0x22},
    {SDLK_KP_4, 0x64, 0x25}, {SDLK_KP_5, 0x65, 0x0C}, {SDLK_KP_6, 0x66, 0x27}, {SDLK_KP_7, 0x67, 0x24},
    {SDLK_KP_8, 0x68, 0x26}, {SDLK_KP_9, 0x69, 0x21}, {SDLK_KP_PERIOD, 0x6E, 0x2E},
};

}  // namespace

uint32_t VirtualKeyOf(const SDL_Keysym& key) {
    const SDL_Keycode sym = key.sym;
    if (sym >= SDLK_a && sym <= SDLK_z) return 0x41 + static_cast<uint32_t>(sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return 0x30 + static_cast<uint32_t>(sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return 0x70 + static_cast<uint32_t>(sym - SDLK_F1);
    for (const PadKey& pad : kPadKeys)
        if (pad.sym == sym) return (key.mod & KMOD_NUM) ? pad.withNumLock : pad.withoutNumLock;
    for (const KeyCode& named : kNamedKeys)
        if (named.sym == sym) return named.vk;
    return 0;
}

uint32_t CharacterOfKey(const SDL_Keysym& key) {
    // Ctrl with Alt is AltGr on many keyboards, which types text instead.
    const bool ctrlOnly = (key.mod & KMOD_CTRL) && !(key.mod & KMOD_ALT);
    switch (key.sym) {
        case SDLK_ESCAPE: return 27;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return ctrlOnly ? 10 : 13;  // Ctrl+Enter types a line feed
        case SDLK_BACKSPACE: return ctrlOnly ? 127 : 8;
        case SDLK_TAB: return 9;
        default: break;
    }
    if (!ctrlOnly) return 0;
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 1 + static_cast<uint32_t>(key.sym - SDLK_a);
    // The other control characters, as the keyboard types them with Ctrl.
    if (key.sym == SDLK_LEFTBRACKET) return 27;
    if (key.sym == SDLK_BACKSLASH) return 28;
    if (key.sym == SDLK_RIGHTBRACKET) return 29;
    return 0;
}

}  // namespace platform::sdl
