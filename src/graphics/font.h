// The game's own bitmap-font format and the whole-file loader that reads it.
// A font file is a 5-byte header (row bytes, glyph height, first code) followed
// by one-bit glyphs, one after another, up to the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kFontHeaderBytes = 5;

struct Font {
    std::vector<uint8_t> Image;   // the whole file, header included
    uint16_t RowBytes = 0;        // every glyph cell is 8 x RowBytes pixels wide
    uint16_t GlyphHeight = 0;
    uint8_t FirstCode = 0;
    uint32_t GlyphCount = 0;      // whole glyphs present in the file
    std::vector<uint32_t> Ink;    // rightmost inked column of each glyph, 1-based; 0 = blank
};

// Reads ProgramFolder + name whole into `out`; any file error ends the program.
void LoadWholeFile(const std::string& name, std::vector<uint8_t>& out);

// Makes a font of a file image; false when the image is too short for its header.
bool MakeFont(std::vector<uint8_t> image, Font& out);
// LoadWholeFile and MakeFont; a file too short for its header is a fatal file error.
void LoadFont(const std::string& name, Font& out);

// The glyph's bitmap, or null for a code with no glyph in the file.
const uint8_t* GlyphOf(const Font& font, uint8_t code);
// Rightmost inked column of the glyph (1-based); 0 for a blank or missing glyph.
int InkWidth(const Font& font, uint8_t code);
