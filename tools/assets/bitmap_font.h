// Turns a system typeface into the game's one-bit font file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bitmap_font {

struct FontRecipe {
    std::string family;  // fontconfig family name; the match must really be this family
    int pixelSize = 0;   // FreeType pixel size of the em
    int rowBytes = 1;    // cell width is 8 x rowBytes
    int glyphHeight = 0; // rows per glyph
    int baselineRow = 0; // cell row that sits just below the baseline
};

// Unicode code point of a Windows-1252 byte, 0 for the five undefined bytes.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The font file: header (RowBytes, GlyphHeight, FirstCode 32) and glyphs 32..255,
// each left-aligned so that its ink starts in the cell's first column.
std::vector<std::uint8_t> RasteriseFont(const FontRecipe& recipe);

}  // namespace bitmap_font
