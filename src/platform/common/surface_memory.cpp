// In-memory RGB565 surfaces with bounds-checked copies and locks.
#include "platform/common/surface_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform::memory {
namespace {

constexpr int kMaxSurfaces = 16;
Surface surfaces[kMaxSurfaces + 1];  // handle 0 is never used
Hooks hooks;

// Answers injected by tests; kDdOk when the call may go ahead.
DdResult InjectedAnswer() {
    if (hooks.loseOnNextCall) {
        hooks.loseOnNextCall = false;
        MarkAllLost();
        return kDdSurfaceLost;
    }
    if (hooks.stillDrawingAnswers > 0) {
        --hooks.stillDrawingAnswers;
        return kDdStillDrawing;
    }
    return kDdOk;
}

bool Inside(const Surface& s, int left, int top, int right, int bottom) {
    return left >= 0 && top >= 0 && left < right && top < bottom && right <= s.width &&
           bottom <= s.height;
}

int64_t Area(const Rect& r) { return int64_t{r.right - r.left} * (r.bottom - r.top); }

Rect Union(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void MarkWhole(Surface& s) { s.changed.Add({0, 0, s.width, s.height}); }

}  // namespace

void ChangedArea::Add(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    Rect adding = rect;
    // Each merge removes a rectangle from the list, so this ends.
    for (;;) {
        int merge = -1;
        for (int i = 0; i < count_ && merge < 0; ++i)
            if (Area(Union(rects_[i], adding)) <= Area(rects_[i]) + Area(adding)) merge = i;
        if (merge < 0 && count_ == kMaxRects) {
            int64_t leastGrowth = INT64_MAX;
            for (int i = 0; i < count_; ++i) {
                const int64_t growth = Area(Union(rects_[i], adding)) - Area(rects_[i]);
                if (growth < leastGrowth) {
                    leastGrowth = growth;
                    merge = i;
                }
            }
        }
        if (merge < 0) break;
        adding = Union(rects_[merge], adding);
        rects_[merge] = rects_[--count_];
    }
    rects_[count_++] = adding;
}

Hooks& GetHooks() { return hooks; }

Surface* Find(SurfaceHandle handle) {
    if (handle <= 0 || handle > kMaxSurfaces || !surfaces[handle].used) return nullptr;
    return &surfaces[handle];
}

SurfaceHandle PrimaryHandle() {
    for (int i = 1; i <= kMaxSurfaces; ++i)
        if (surfaces[i].used && surfaces[i].kind == SurfaceKind::Primary) return i;
    return 0;
}

void MarkPrimaryChanged() {
    if (Surface* primary = Find(PrimaryHandle())) MarkWhole(*primary);
}

void MarkAllLost() {
    for (auto& s : surfaces)
        if (s.used) s.lost = true;
}

void ResetAll() {
    for (auto& s : surfaces) s = Surface{};
    hooks = Hooks{};
}

}  // namespace platform::memory

namespace platform {

using memory::Find;
using memory::Surface;

DdResult CreateSurface(int width, int height, SurfaceKind kind, SurfaceHandle& out) {
    out = 0;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return kDdInvalidParams;
    if (kind == SurfaceKind::Primary && memory::PrimaryHandle() != 0) return kDdInvalidParams;
    if (kind == SurfaceKind::VideoMemory && memory::GetHooks().refuseVideoMemory)
        return kDdOutOfMemory;
    for (int i = 1; i <= 16; ++i) {
        Surface* s = &memory::surfaces[i];
        if (s->used) continue;
        *s = Surface{};
        s->used = true;
        s->width = width;
        s->height = height;
        s->kind = kind;
        s->pixels.assign(static_cast<size_t>(width) * height, 0);
        // A new screen is black, as the backend shows it until the game draws.
        out = i;
        return kDdOk;
    }
    return kDdOutOfMemory;
}

void ReleaseSurface(SurfaceHandle handle) {
    if (Surface* s = Find(handle)) *s = Surface{};
}

DdResult BltFast(SurfaceHandle to, int x, int y, SurfaceHandle from, const Rect& src, bool keyed) {
    Surface* d = Find(to);
    Surface* s = Find(from);
    if (!d || !s) return kDdInvalidParams;
    if (DdResult r = memory::InjectedAnswer(); r != kDdOk) return r;
    if (d->lost || s->lost) return kDdSurfaceLost;
    const int w = src.right - src.left;
    const int h = src.bottom - src.top;
    if (!memory::Inside(*s, src.left, src.top, src.right, src.bottom) ||
        !memory::Inside(*d, x, y, x + w, y + h))
        return kDdInvalidRect;
    // Rows are copied through a scratch row so overlapping copies within one
    // surface (the block gauge assembles itself in the work surface) stay exact.
    std::vector<uint16_t> row(static_cast<size_t>(w));
    const bool upward = (s == d && y > src.top);
    for (int k = 0; k < h; ++k) {
        const int r = upward ? h - 1 - k : k;
        const uint16_t* sp = &s->pixels[static_cast<size_t>(src.top + r) * s->width + src.left];
        std::memcpy(row.data(), sp, sizeof(uint16_t) * w);
        uint16_t* dp = &d->pixels[static_cast<size_t>(y + r) * d->width + x];
        if (keyed) {
            for (int c = 0; c < w; ++c)
                if (row[c] != 0) dp[c] = row[c];
        } else {
            std::memcpy(dp, row.data(), sizeof(uint16_t) * w);
        }
    }
    if (d->kind == SurfaceKind::Primary) d->changed.Add({x, y, x + w, y + h});
    return kDdOk;
}

DdResult LockSurface(SurfaceHandle handle, uint16_t*& pixels, int32_t& pitchBytes) {
    pixels = nullptr;
    pitchBytes = 0;
    Surface* s = Find(handle);
    if (!s) return kDdInvalidParams;
    if (DdResult r = memory::InjectedAnswer(); r != kDdOk) return r;
    if (s->lost) return kDdSurfaceLost;
    s->locked = true;
    pixels = s->pixels.data();
    pitchBytes = s->width * 2;
    return kDdOk;
}

DdResult UnlockSurface(SurfaceHandle handle) {
    Surface* s = Find(handle);
    if (!s) return kDdInvalidParams;
    // Locked writes to the screen are rare; where they went is not known.
    if (s->kind == SurfaceKind::Primary && s->locked) memory::MarkWhole(*s);
    s->locked = false;
    return kDdOk;
}

bool IsSurfaceLost(SurfaceHandle handle) {
    Surface* s = Find(handle);
    return s && s->lost;
}

DdResult RestoreSurface(SurfaceHandle handle) {
    Surface* s = Find(handle);
    if (!s) return kDdInvalidParams;
    s->lost = false;
    return kDdOk;
}

}  // namespace platform
