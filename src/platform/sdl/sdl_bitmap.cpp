// Picture files through SDL's bitmap reader, converted to RGB565. Linked into
// both backends: decoding needs no window.
#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace platform {
namespace {

// SDL's reader trusts the size a header claims: 65536 x 65536 at one bit per
// pixel overflows its arithmetic and it hands back a huge surface of nothing
// read, which the conversion would then fill gigabytes with. The claim is
// checked against the file first: no side larger than the caller's bound, and
// for uncompressed pictures the rows must all be in the file. Every size is
// worked out in 64 bits from numbers of at most 32.
bool PlausibleBitmap(SDL_RWops* file, int largestWidth, int largestHeight) {
    const Sint64 fileSize = SDL_RWsize(file);
    Uint8 head[54] = {};
    if (fileSize < 26 || SDL_RWread(file, head, 1, sizeof head) < 26 || head[0] != 'B' || head[1] != 'M') return false;
    SDL_RWseek(file, 0, RW_SEEK_SET);
    auto u16 = [&](int at) { return int64_t{head[at]} | int64_t{head[at + 1]} << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    const int64_t dataOffset = u32(10), headerSize = u32(14);
    int64_t width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) {  // the oldest header: unsigned 16-bit sides, no compression
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else if (headerSize >= 40 && fileSize >= 54) {
        width = static_cast<int32_t>(u32(18));
        height = static_cast<int32_t>(u32(22));
        bits = u16(28);
        compression = u32(30);
    } else {
        return false;
    }
    height = std::llabs(height);  // negative: rows stored top-down
    if (width <= 0 || height <= 0 || width > largestWidth || height > largestHeight || bits <= 0 || bits > 32)
        return false;
    const bool packed = compression == 1 || compression == 2;  // run-length: any size up to the rows
    const int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return packed || dataOffset + rowBytes * height <= fileSize;
}

// Pixels of 3 or 4 little-endian bytes with 8-bit red, green and blue.
bool EightBitChannels(const SDL_PixelFormat& format) {
    const int bytes = format.BytesPerPixel;
    return (bytes == 3 || bytes == 4) && SDL_BYTEORDER == SDL_LIL_ENDIAN && format.Rloss == 0 && format.Gloss == 0 &&
           format.Bloss == 0 && format.Rmask && format.Gmask && format.Bmask && !format.palette;
}

// Only a regular file is a picture. It is opened without blocking, so a FIFO
// or a device in its place is refused at once instead of holding the game.
SDL_RWops* OpenPictureFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    std::FILE* stream = nullptr;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !(stream = ::fdopen(fd, "rb"))) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* file = SDL_RWFromFP(stream, SDL_TRUE);
    if (!file) std::fclose(stream);
    return file;
}

}  // namespace

bool DecodeBitmapFile(const std::string& path, std::vector<uint16_t>& pixels, int& width, int& height,
                      int largestWidth, int largestHeight) {
    pixels.clear();
    width = height = 0;
    SDL_RWops* file = OpenPictureFile(path);
    if (!file) return false;
    if (!PlausibleBitmap(file, largestWidth, largestHeight)) {
        SDL_RWclose(file);
        return false;
    }
    SDL_Surface* loaded = SDL_LoadBMP_RW(file, 1);
    if (!loaded) return false;
    // The game's pictures are 24-bit: read straight from the file's pixels.
    // Other depths go through SDL's conversion to 8 bits a channel first.
    SDL_Surface* rgb = loaded;
    if (!EightBitChannels(*loaded->format)) {
        rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        if (!rgb) return false;
    }
    width = rgb->w;
    height = rgb->h;
    pixels.resize(static_cast<size_t>(width) * height);
    const SDL_PixelFormat& format = *rgb->format;
    const int bytes = format.BytesPerPixel;
    SDL_LockSurface(rgb);
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = static_cast<const uint8_t*>(rgb->pixels) + static_cast<ptrdiff_t>(y) * rgb->pitch;
        uint16_t* to = &pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x, from += bytes) {
            uint32_t p = uint32_t{from[0]} | uint32_t{from[1]} << 8 | uint32_t{from[2]} << 16;
            if (bytes == 4) p |= uint32_t{from[3]} << 24;
            const uint32_t r = (p & format.Rmask) >> format.Rshift, g = (p & format.Gmask) >> format.Gshift,
                           b = (p & format.Bmask) >> format.Bshift;
            to[x] = static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
        }
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    return true;
}

}  // namespace platform
