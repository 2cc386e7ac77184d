// Where the program lives and how it ends.
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/sdl/sdl_backend.h"

namespace platform {

std::string ExecutablePath() {
    // The link is read until the buffer is larger than the path: no length limit.
    for (size_t size = 256; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        const ssize_t got = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (got < 0) break;
        if (static_cast<size_t>(got) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(got));
    }
    char* base = SDL_GetBasePath();
    if (!base) return {};
    std::string path = std::string(base) + "torvanex";
    SDL_free(base);
    return path;
}

void ExitProcess(int status) {
    SDL_Quit();
    std::exit(status);
}

}  // namespace platform
