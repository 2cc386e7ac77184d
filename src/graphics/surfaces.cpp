// Surface slots: creation, judged copies that retry while busy and rebuild the
// screen when the display was lost, locking, and the box primitives.
#include "graphics/surfaces.h"

#include "graphics/cursor.h"

DisplayState Display;

void ResetDisplayState() { Display = DisplayState{}; }

namespace {

void (*redraw)() = [] {};

bool ValidSlot(int slot) { return slot >= 1 && slot <= 10 && Display.Slots[slot].present; }

void Blit(int left, int top, int right, int bottom, int x, int y, int source, int destination, bool keyed) {
    if (!ValidSlot(source) || !ValidSlot(destination)) return;
    const platform::Rect rect{left, top, right + 1, bottom + 1};
    while (!BlitSettled(platform::BltFast(Display.Slots[destination].surface, x, y, Display.Slots[source].surface,
                                          rect, keyed))) {
    }
}

}  // namespace

void ConnectRedraw(void (*redrawScreen)()) { redraw = redrawScreen; }

bool CreateDisplaySlots() {
    using platform::SurfaceKind;
    if (InitDisplay(800, 600, 16) != 0) return false;
    if (CreateSurfaceSlot(PrimarySlot, 800, 600, SurfaceKind::Primary, false) != 0) return false;
    if (CreateSurfaceSlot(WorkSlot, 800, 689, SurfaceKind::VideoMemory, false) != 0 &&
        CreateSurfaceSlot(WorkSlot, 800, 689, SurfaceKind::SystemMemory, false) != 0)
        return false;
    return CreateSurfaceSlot(ComposeSlot, 800, 600, SurfaceKind::SystemMemory, false) == 0;
}

int32_t InitDisplay(int width, int height, int bitsPerPixel) {
    for (int i = 1; i <= 10; ++i) Display.Slots[i].present = false;
    const platform::DdResult result = platform::InitDisplay(width, height, bitsPerPixel);
    if (result != platform::kDdOk) return static_cast<int32_t>(result);
    Display.DirectDrawObject = true;
    return 0;
}

int32_t CreateSurfaceSlot(int slot, int width, int height, platform::SurfaceKind kind, bool withBackBuffer) {
    using platform::SurfaceKind;
    const bool primaryPair = withBackBuffer && kind == SurfaceKind::Primary;
    if (slot < 1 || slot > 10 || (primaryPair && slot > 9)) return 100;
    platform::SurfaceHandle handle = 0;
    if (platform::DdResult r = platform::CreateSurface(width, height, kind, handle); r != platform::kDdOk)
        return static_cast<int32_t>(r);
    Display.Slots[slot].surface = handle;
    if (primaryPair) {
        platform::SurfaceHandle back = 0;
        if (platform::DdResult r = platform::CreateSurface(width, height, SurfaceKind::BackBuffer, back);
            r != platform::kDdOk)
            return static_cast<int32_t>(r);
        Display.Slots[slot + 1] = SurfaceSlot{back, nullptr, SurfaceKind::BackBuffer, width, height, 0, true};
    }
    // The slot counts as present only once everything it needs exists.
    Display.Slots[slot] = SurfaceSlot{handle, nullptr, kind, width, height, 0, true};
    return 0;
}

void ReleaseDisplay() {
    for (int i = 1; i <= 10; ++i) {
        SurfaceSlot& s = Display.Slots[i];
        // A back buffer belongs to its primary and goes with it.
        if (s.present && s.surface != 0) platform::ReleaseSurface(s.surface);
        s = SurfaceSlot{};
    }
    Display.DirectDrawObject = false;
}

int32_t RestoreSurfaces() {
    const uint8_t wasBusy = Cursor.CursorBusy;
    Cursor.CursorBusy = 1;
    for (int i = 1; i <= 10; ++i) {
        const SurfaceSlot& s = Display.Slots[i];
        if (s.present && s.kind != platform::SurfaceKind::BackBuffer &&
            platform::RestoreSurface(s.surface) != platform::kDdOk)
            platform::ExitProcess(1);
    }
    Cursor.CursorBusy = wasBusy;
    redraw();
    return 0;
}

bool BlitSettled(platform::DdResult result) {
    switch (result) {
        case platform::kDdOk:
            return true;
        case platform::kDdSurfaceLost:
            RestoreSurfaces();
            return false;
        case platform::kDdStillDrawing:
            return false;
        default:
            // Any other failure drops the operation: a rectangle that does not fit
            // its surfaces is never drawn.
            return true;
    }
}

void LockSlot(int slot) {
    if (slot < 1 || slot > 10 || !Display.Slots[slot].present) return;
    SurfaceSlot& s = Display.Slots[slot];
    uint16_t* pixels = nullptr;
    int32_t pitchBytes = 0;
    platform::DdResult r;
    do {
        r = platform::LockSurface(s.surface, pixels, pitchBytes);
    } while (!BlitSettled(r));
    s.pixels = r == platform::kDdOk ? pixels : nullptr;
    s.pitch = s.width;
    if (2 * s.width < pitchBytes) s.pitch = pitchBytes / 2;
}

void UnlockSlot(int slot) {
    if (slot < 1 || slot > 10 || !Display.Slots[slot].present) return;
    while (!BlitSettled(platform::UnlockSurface(Display.Slots[slot].surface))) {
    }
    Display.Slots[slot].pixels = nullptr;
}

void BlitOpaque(int left, int top, int right, int bottom, int x, int y, int sourceSlot, int destinationSlot) {
    Blit(left, top, right, bottom, x, y, sourceSlot, destinationSlot, false);
}

void BlitKeyed(int left, int top, int right, int bottom, int x, int y, int sourceSlot, int destinationSlot) {
    Blit(left, top, right, bottom, x, y, sourceSlot, destinationSlot, true);
}

void WaitForVerticalBlank() { platform::WaitForVerticalBlank(); }

void CopyPicture(const Picture& p, int x, int y, int slot) {
    Blit(p.left, p.top, p.right, p.bottom, x, y, WorkSlot, slot, false);
}
void CopyPicture(const Picture& p, int slot) { CopyPicture(p, p.destX, p.destY, slot); }
void PastePicture(const Picture& p, int x, int y, int slot) {
    Blit(p.left, p.top, p.right, p.bottom, x, y, WorkSlot, slot, true);
}
void PastePicture(const Picture& p, int slot) { PastePicture(p, p.destX, p.destY, slot); }

void FillBox(int x, int y, int w, int h, uint16_t colour, int pitch, uint16_t* pixels) {
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) pixels[(y + row) * pitch + x + col] = colour;
}

void HLine(int x1, int y, int x2, uint16_t colour, int pitch, uint16_t* pixels) {
    for (int x = x1; x <= x2; ++x) pixels[y * pitch + x] = colour;
}

void VLine(int x, int y1, int y2, uint16_t colour, int pitch, uint16_t* pixels) {
    for (int y = y1; y <= y2; ++y) pixels[y * pitch + x] = colour;
}

void BevelBox(int x, int y, int w, int h, uint16_t light, uint16_t fill, uint16_t dark, int pitch, uint16_t* pixels) {
    FillBox(x, y, w, h, fill, pitch, pixels);
    HLine(x, y, x + w - 1, light, pitch, pixels);
    VLine(x, y, y + h - 1, light, pitch, pixels);
    HLine(x, y + h - 1, x + w - 1, dark, pitch, pixels);
    VLine(x + w - 1, y, y + h - 1, dark, pitch, pixels);
}
