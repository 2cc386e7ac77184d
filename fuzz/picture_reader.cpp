// Any bytes as one of the game's picture files, loaded the game's own way: the
// platform's decoder, then the copy into the work surface at an offset the
// first bytes choose. Whatever the file claims, nothing may be read or written
// outside the file, the decoded picture or the surface, and no claim may make
// the game allocate more than a picture of the largest accepted size.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "services/files.h"
#include "shell/shell.h"

namespace hl = platform::headless;

namespace {

int picture = -1;  // the file, in memory: no disk is touched
std::string name;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    picture = memfd_create("picture", 0);
    if (picture < 0) std::abort();
    name = std::to_string(picture);
    hl::Reset();
    ResetProgramState();
    if (!CreateDisplaySlots()) std::abort();
    Files.ProgramFolder = "/proc/self/fd/";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int x = static_cast<int8_t>(data[0]) * 8, y = static_cast<int8_t>(data[1]) * 8;
    data += 2;
    size -= 2;
    if (ftruncate(picture, 0) != 0 || pwrite(picture, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

    std::vector<uint16_t> pixels;
    int width = -1, height = -1;
    if (!platform::DecodeBitmapFile(Files.ProgramFolder + name, pixels, width, height)) {
        // A refused picture leaves nothing behind, and the game ends on it.
        if (!pixels.empty() || width != 0 || height != 0) std::abort();
        return 0;
    }
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        std::abort();
    // The copy into the slot, clipped on every side.
    try {
        LoadBitmapFile(x, y, -x / 2, -y / 2, WorkSlot, name);
    } catch (const hl::ProcessExit&) {
        std::abort();  // the same file was just decoded
    }
    return 0;
}
