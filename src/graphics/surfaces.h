// Ten numbered surface slots over the platform's display surfaces, the judged
// copies between them, locking for direct pixel work and the box primitives.
#pragma once

#include <cstdint>

#include "graphics/atlas.h"
#include "platform/platform.h"

constexpr int PrimarySlot = 1;   // the visible screen, 800 x 600
constexpr int WorkSlot = 2;      // 800 x 689: background from row 0, skin from row 541
constexpr int ComposeSlot = 3;   // 800 x 600: whole screens before they are shown

struct SurfaceSlot {
    platform::SurfaceHandle surface = 0;
    uint16_t* pixels = nullptr;   // valid between LockSlot and UnlockSlot
    platform::SurfaceKind kind = platform::SurfaceKind::SystemMemory;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;            // in pixels
    bool present = false;
};

struct DisplayState {
    bool DirectDrawObject = false;
    SurfaceSlot Slots[11];        // 1..10; 0 unused
};
extern DisplayState Display;
void ResetDisplayState();

// What rebuilds the whole screen after the surfaces were lost and restored:
// the screen code above hands it in at start-up.
void ConnectRedraw(void (*redrawScreen)());

// The display with the game's three slots, as start-up makes them; false when
// any step fails. The WorkSlot falls back to system memory.
bool CreateDisplaySlots();

// 0 on success, else the display error (256: no hardware copies).
int32_t InitDisplay(int width, int height, int bitsPerPixel);
// 0 on success, 100 for a slot out of range, else the display error.
int32_t CreateSurfaceSlot(int slot, int width, int height, platform::SurfaceKind kind, bool withBackBuffer);
void ReleaseDisplay();
int32_t RestoreSurfaces();
// Judges one display result: false means repeat the call.
bool BlitSettled(platform::DdResult result);
void LockSlot(int slot);
void UnlockSlot(int slot);
// Inclusive source corners; the top-left lands on (x, y) of the destination.
void BlitOpaque(int left, int top, int right, int bottom, int x, int y, int sourceSlot, int destinationSlot);
void BlitKeyed(int left, int top, int right, int bottom, int x, int y, int sourceSlot, int destinationSlot);
void WaitForVerticalBlank();

// Copies of a picture of the WorkSlot: opaque (Copy) or keyed (Paste), to
// (x, y) of `slot` or to the picture's own place on screen.
void CopyPicture(const Picture& picture, int x, int y, int slot);
void CopyPicture(const Picture& picture, int slot);
void PastePicture(const Picture& picture, int x, int y, int slot);
void PastePicture(const Picture& picture, int slot);

// Primitives on a locked buffer; pitch in pixels.
void FillBox(int x, int y, int w, int h, uint16_t colour, int pitch, uint16_t* pixels);
void HLine(int x1, int y, int x2, uint16_t colour, int pitch, uint16_t* pixels);
void VLine(int x, int y1, int y2, uint16_t colour, int pitch, uint16_t* pixels);
void BevelBox(int x, int y, int w, int h, uint16_t light, uint16_t fill, uint16_t dark, int pitch, uint16_t* pixels);
