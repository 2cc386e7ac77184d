// Text on a locked 16-bit surface: the two fonts, drawing with a one-pixel drop
// shadow, measuring, and the colour table sampled from the background picture.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/font.h"

constexpr int kColourCount = 32;
constexpr int kShadowEntry = 7;
constexpr int kPlainEntry = 21;

struct TextState {
    Font SmallFont;   // "arial8"
    Font LargeFont;   // "times16"
    uint16_t ColourTable[kColourCount] = {};
};
extern TextState Text;
void ResetTextState();

inline uint16_t ShadowColour() { return Text.ColourTable[kShadowEntry]; }
inline uint16_t PlainColour() { return Text.ColourTable[kPlainEntry]; }

void LoadFonts();
// Takes the 32 pixels of row 96, columns 185..216 of the WorkSlot.
void SampleColourTable();

// Draws `text` with its first glyph cell's top-left at (x, y) into a locked
// buffer of `pitch` pixels per row and `height` rows. Every pixel outside the
// buffer is left out, so text running past an edge is cut there.
void DrawString(int x, int y, int pitch, int spacing, uint16_t colour, const Font& font, uint16_t* pixels, int height,
                std::string_view text);
// The pixels DrawString advances for `text`, with the space's own rules.
int32_t MeasureString(int spacing, const Font& font, std::string_view text);

// A slot locked for text and boxes as long as the writer lives. Nothing is
// drawn when the lock failed.
class SlotWriter {
public:
    explicit SlotWriter(int slot);
    ~SlotWriter();
    SlotWriter(const SlotWriter&) = delete;
    SlotWriter& operator=(const SlotWriter&) = delete;

    void Text(int x, int y, int spacing, uint16_t colour, const Font& font, std::string_view text);
    // A bevelled box in the colours of three entries of the colour table.
    void Bevel(int x, int y, int w, int h, int lightEntry, int fillEntry, int darkEntry);
    void Fill(int x, int y, int w, int h, uint16_t colour);

private:
    int slot_;
};
