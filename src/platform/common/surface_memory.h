// Surfaces kept in ordinary memory, shared by both backends: the SDL backend
// shows the primary one, the headless backend lets tests read every pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform::memory {

// The parts of a surface changed since they were last shown: a few
// rectangles, so showing a moved cursor converts two small areas, not the
// whole screen. Rectangles are merged when that converts no more pixels than
// keeping them apart; when the list is full a new one joins the rectangle it
// grows least.
class ChangedArea {
public:
    static constexpr int kMaxRects = 8;

    // Rectangles with no pixels are ignored.
    void Add(const Rect& rect);
    void Clear() { count_ = 0; }
    bool Empty() const { return count_ == 0; }
    int Count() const { return count_; }
    const Rect& operator[](int i) const { return rects_[i]; }

private:
    Rect rects_[kMaxRects];
    int count_ = 0;
};

struct Surface {
    bool used = false;
    int width = 0;
    int height = 0;
    SurfaceKind kind = SurfaceKind::SystemMemory;
    bool lost = false;
    bool locked = false;
    std::vector<uint16_t> pixels;
    // Kept for the primary surface only: what the backend has yet to show.
    ChangedArea changed;
};

// Test and backend hooks.
struct Hooks {
    // Copies and locks answer kDdStillDrawing this many more times.
    int stillDrawingAnswers = 0;
    // The next copy or lock answers kDdSurfaceLost and marks every surface lost.
    bool loseOnNextCall = false;
    // Creating a video-memory surface fails (the game falls back to system memory).
    bool refuseVideoMemory = false;
};

Hooks& GetHooks();
Surface* Find(SurfaceHandle handle);
SurfaceHandle PrimaryHandle();
// Marks all of the primary surface, if there is one, as yet to be shown.
void MarkPrimaryChanged();
void MarkAllLost();
// Drops every surface and hook (tests start from nothing).
void ResetAll();

}  // namespace platform::memory
