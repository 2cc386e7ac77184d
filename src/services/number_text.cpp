// Fixed-width number text, right-aligned.
#include "services/number_text.h"

std::string NumberText(int32_t value, int base, int width, int zeroFill) {
    if (width <= 0) return std::string();
    std::string text(static_cast<size_t>(width), ' ');
    if (base < 2 || base > 36) return text;
    // The magnitude as unsigned, so the most negative value has one too.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    int pos = width - 1;
    do {
        const uint32_t d = magnitude % static_cast<uint32_t>(base);
        text[static_cast<size_t>(pos--)] = static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10);
        magnitude /= static_cast<uint32_t>(base);
    } while (magnitude != 0 && pos >= 0);
    if (magnitude != 0 || pos < 0) return text;  // the lowest digits, no sign
    if (zeroFill > 0)
        for (int i = 0; i <= pos; ++i) text[static_cast<size_t>(i)] = '0';
    if (value < 0 && base == 10) text[static_cast<size_t>(zeroFill > 0 ? 0 : pos)] = '-';
    return text;
}
