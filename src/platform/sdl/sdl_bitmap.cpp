// Picture files through SDL's bitmap reader, converted to RGB565. Linked into
// both backends: decoding needs no window.
#include <SDL.h>

#include "platform/platform.h"

namespace platform {

bool DecodeBitmapFile(const std::string& path, std::vector<uint16_t>& pixels, int& width, int& height) {
    pixels.clear();
    width = height = 0;
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) return false;
    width = rgb->w;
    height = rgb->h;
    pixels.resize(static_cast<size_t>(width) * height);
    SDL_LockSurface(rgb);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
        }
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    return true;
}

}  // namespace platform
