#include "support/pictures.h"

#include "graphics/cursor.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

uint16_t PixelOf(int slot, int x, int y) { return platform::headless::Pixel(Display.Slots[slot].surface, x, y); }

std::vector<uint16_t> ScreenPixels() {
    std::vector<uint16_t> pixels;
    for (int i = 0; i < 800 * 600; ++i) pixels.push_back(PixelOf(PrimarySlot, i % 800, i / 800));
    return pixels;
}

std::vector<uint16_t> ShownPixels() {
    EraseCursor();
    const std::vector<uint16_t> pixels = ScreenPixels();
    DrawCursor();
    return pixels;
}

void PaintWorkPattern() {
    LockSlot(WorkSlot);
    SurfaceSlot& work = Display.Slots[WorkSlot];
    for (int y = 0; y < work.height; ++y)
        for (int x = 0; x < work.width; ++x)
            work.pixels[y * work.pitch + x] = static_cast<uint16_t>((y * 800 + x) % 65521 + 1);
    UnlockSlot(WorkSlot);
}

Picture Named(std::string_view name) {
    for (const AtlasRegion& r : kAtlas)
        if (name == r.name) return WorkPicture(r);
    ADD_FAILURE() << "no picture " << name;
    return {};
}

Picture PartOf(const Picture& p, int dx, int dy, int w, int h) {
    return {p.left + dx, p.top + dy, p.left + dx + w - 1, p.top + dy + h - 1, p.destX + dx, p.destY + dy};
}

bool ShowsPicture(const Picture& p, int x, int y, int slot, bool keyed) {
    for (int j = 0; j < p.height(); ++j)
        for (int i = 0; i < p.width(); ++i) {
            const uint16_t from = PixelOf(WorkSlot, p.left + i, p.top + j);
            if (x < 0 || y < 0 || ((!keyed || from != 0) && PixelOf(slot, x + i, y + j) != from)) return false;
        }
    return true;
}

int FindPicture(const Picture& p, int fromX, int toX, int y, int slot) {
    for (int x = fromX; x <= toX; ++x)
        if (ShowsPicture(p, x, y, slot)) return x;
    return -1;
}
