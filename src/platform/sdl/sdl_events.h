// Events of our own that travel through SDL's (thread-safe) event queue and
// become game messages in the SDL backend's event pump.
#pragma once

#include <cstdint>

namespace platform::sdl {

// SDL event type pushed by the mixer's finished-music hook (audio thread);
// the pump turns it into a MusicNotify message.
uint32_t MusicEndedEventType();

}  // namespace platform::sdl
