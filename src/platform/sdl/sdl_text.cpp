// Text between the game's Windows-1252 bytes and SDL's UTF-8.
#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {
namespace {

// Unicode of the Windows-1252 bytes 0x80..0x9F; 0 where the code page has none.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int Windows1252Of(uint32_t codePoint) {
    if (codePoint >= 0x20 && codePoint < 0x7F) return static_cast<int>(codePoint);
    if (codePoint >= 0xA0 && codePoint <= 0xFF) return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) return 0x80 + i;
    return -1;
}

}  // namespace

std::string ToWindows1252(const char* utf8) {
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        const unsigned char lead = *p++;
        uint32_t codePoint = lead;
        int extra = 0;
        uint32_t least = 0;  // smaller values in this many bytes are overlong forms
        if ((lead & 0xE0) == 0xC0) { extra = 1; codePoint &= 0x1F; least = 0x80; }
        else if ((lead & 0xF0) == 0xE0) { extra = 2; codePoint &= 0x0F; least = 0x800; }
        else if ((lead & 0xF8) == 0xF0) { extra = 3; codePoint &= 0x07; least = 0x10000; }
        else if (lead >= 0x80) continue;  // a stray continuation byte or no lead byte at all
        bool whole = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) { whole = false; break; }
            codePoint = (codePoint << 6) | (*p & 0x3F);
        }
        if (!whole || codePoint < least) continue;
        const int byte = Windows1252Of(codePoint);
        if (byte >= 0) out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string Utf8FromWindows1252(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        uint32_t codePoint = byte;
        if (byte >= 0x80 && byte < 0xA0) codePoint = kHighControls[byte - 0x80];
        if (codePoint == 0) continue;
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

}  // namespace platform::sdl
