// Bitmap files through the platform's decoder, copied row by row into a locked slot.
#include "graphics/bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/platform.h"
#include "services/files.h"
#include "services/messages.h"

void LoadBitmapFile(int sourceX, int sourceY, int destinationX, int destinationY, int slot, const std::string& name) {
    std::vector<uint16_t> picture;
    int width = 0, height = 0;
    // A picture larger than the slot it is meant for is not one of the game's:
    // it is refused before its pixels take any memory, like a missing one.
    const bool known = slot >= 1 && slot <= 10 && Display.Slots[slot].present;
    const int largestWidth = known ? Display.Slots[slot].width : platform::kLargestPictureSide;
    const int largestHeight = known ? Display.Slots[slot].height : platform::kLargestPictureSide;
    if (!platform::DecodeBitmapFile(ProgramFile(name), picture, width, height, largestWidth, largestHeight))
        FatalExit("File not found. Please reinstall Torvanex");
    if (slot < 1 || slot > 10) return;
    LockSlot(slot);
    SurfaceSlot& target = Display.Slots[slot];
    if (target.pixels) {
        // Clip the copy to both the picture and the slot, on every side.
        int sx = sourceX, sy = sourceY, dx = destinationX, dy = destinationY;
        if (dx < 0) { sx -= dx; dx = 0; }
        if (dy < 0) { sy -= dy; dy = 0; }
        if (sx < 0) { dx -= sx; sx = 0; }
        if (sy < 0) { dy -= sy; sy = 0; }
        const int columns = std::min(width - sx, target.width - dx);
        const int rows = std::min(height - sy, target.height - dy);
        for (int r = 0; r < rows && columns > 0; ++r)
            std::memcpy(target.pixels + static_cast<size_t>(dy + r) * target.pitch + dx,
                        picture.data() + static_cast<size_t>(sy + r) * width + sx, columns * sizeof(uint16_t));
    }
    UnlockSlot(slot);
}
