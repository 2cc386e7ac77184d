// A 24-bit colour as the picture files store it.
#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
