// Any bytes as a font file, drawn and measured into a small surface: nothing may
// be read or written outside the font image or the surface.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first bytes place the text and choose its length; the rest is the font.
    if (size < 4) return 0;
    const int x = static_cast<int8_t>(data[0]) * 4;
    const int y = static_cast<int8_t>(data[1]);
    const size_t textLength = data[2] % 64;
    const int spacing = data[3] & 1;
    data += 4;
    size -= 4;
    const size_t taken = textLength < size ? textLength : size;
    const std::string text(reinterpret_cast<const char*>(data), taken);
    std::vector<uint8_t> image(data + taken, data + size);
    Font font;
    if (!MakeFont(std::move(image), font)) return 0;
    constexpr int kPitch = 64, kHeight = 24;
    std::vector<uint16_t> pixels(kPitch * kHeight);
    DrawString(x, y, kPitch, spacing, 0x1234, font, pixels.data(), kHeight, text);
    volatile int32_t width = MeasureString(spacing, font, text);
    (void)width;
    return 0;
}
