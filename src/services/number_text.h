// Fixed-width numbers for the screen and for numbered file names.
#pragma once

#include <cstdint>
#include <string>

// Exactly `width` characters: the lowest digits when the number is longer,
// padded with spaces (or '0' with zeroFill > 0); a '-' only in base 10.
std::string NumberText(int32_t value, int base, int width, int zeroFill);
