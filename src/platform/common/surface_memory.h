// Surfaces kept in ordinary memory, shared by both backends: the SDL backend
// shows the primary one, the headless backend lets tests read every pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform::memory {

struct Surface {
    bool used = false;
    int width = 0;
    int height = 0;
    SurfaceKind kind = SurfaceKind::SystemMemory;
    bool lost = false;
    bool locked = false;
    std::vector<uint16_t> pixels;
};

// Test and backend hooks.
struct Hooks {
    // Copies and locks answer kDdStillDrawing this many more times.
    int stillDrawingAnswers = 0;
    // The next copy or lock answers kDdSurfaceLost and marks every surface lost.
    bool loseOnNextCall = false;
    // The primary surface changed since the backend last showed it.
    bool primaryDirty = false;
    // Creating a video-memory surface fails (the game falls back to system memory).
    bool refuseVideoMemory = false;
};

Hooks& GetHooks();
Surface* Find(SurfaceHandle handle);
SurfaceHandle PrimaryHandle();
void MarkAllLost();
// Drops every surface and hook (tests start from nothing).
void ResetAll();

}  // namespace platform::memory
