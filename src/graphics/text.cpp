// Glyph-by-glyph text drawing and measuring over the game's bitmap fonts.
#include "graphics/text.h"

#include "graphics/surfaces.h"

TextState Text;
void ResetTextState() { Text = TextState{}; }

void LoadFonts() {
    LoadFont("arial8", Text.SmallFont);
    LoadFont("times16", Text.LargeFont);
}

void SampleColourTable() {
    LockSlot(WorkSlot);
    const SurfaceSlot& work = Display.Slots[WorkSlot];
    if (work.pixels && work.height > 96 && work.pitch > 185 + kColourCount - 1)
        for (int i = 0; i < kColourCount; ++i) Text.ColourTable[i] = work.pixels[96 * work.pitch + 185 + i];
    UnlockSlot(WorkSlot);
}

namespace {

void PutPixel(int64_t x, int64_t y, uint16_t colour, int pitch, uint16_t* pixels, int height) {
    if (x < 0 || y < 0 || x >= pitch || y >= height) return;
    pixels[y * pitch + x] = colour;
}

}  // namespace

void DrawString(int x, int y, int pitch, int spacing, uint16_t colour, const Font& font, uint16_t* pixels, int height,
                std::string_view text) {
    if (!pixels || pitch <= 0 || height <= 0) return;
    // Text in the plain colour is drawn flat; everything else gets its shadow
    // below and right, written before the ink so later strokes cover it.
    const bool shadowed = colour != PlainColour();
    const uint16_t shadow = ShadowColour();
    int64_t left = x;
    for (const char c : text) {
        const auto code = static_cast<uint8_t>(c);
        const uint8_t* glyph = GlyphOf(font, code);
        int64_t ink = 0;
        if (glyph) {
            for (int row = 0; row < font.GlyphHeight; ++row)
                for (int b = 0; b < font.RowBytes; ++b) {
                    const uint8_t bits = glyph[static_cast<size_t>(row) * font.RowBytes + b];
                    if (!bits) continue;
                    for (int bit = 0; bit < 8; ++bit) {
                        if (!(bits & (0x80 >> bit))) continue;
                        const int64_t px = left + b * 8 + bit, py = int64_t{y} + row;
                        if (shadowed) PutPixel(px + 1, py + 1, shadow, pitch, pixels, height);
                        PutPixel(px, py, colour, pitch, pixels, height);
                    }
                }
            ink = InkWidth(font, code);
        }
        // A blank glyph advances 4 x RowBytes + 1 whatever the spacing.
        if (ink == 0) ink = 4 * int64_t{font.RowBytes} - spacing;
        left += ink + spacing + 1;
    }
}

int32_t MeasureString(int spacing, const Font& font, std::string_view text) {
    int64_t width = 0;
    for (const char c : text) {
        const auto code = static_cast<uint8_t>(c);
        const int ink = InkWidth(font, code);
        const int notSpace = code == ' ' ? 0 : 1;
        // Kept as the game has always measured: an inked space counts one pixel
        // less, and a blank glyph other than the space one more, than DrawString
        // advances. Ordinary text measures exactly what it draws.
        if (ink > 0)
            width += ink + spacing + notSpace;
        else
            width += 4 * int64_t{font.RowBytes} + 1 + notSpace;
    }
    return static_cast<int32_t>(width);
}

SlotWriter::SlotWriter(int slot) : slot_(slot) { LockSlot(slot); }

SlotWriter::~SlotWriter() { UnlockSlot(slot_); }

void SlotWriter::Text(int x, int y, int spacing, uint16_t colour, const Font& font, std::string_view text) {
    const SurfaceSlot& s = Display.Slots[slot_];
    DrawString(x, y, s.pitch, spacing, colour, font, s.pixels, s.height, text);
}

void SlotWriter::Bevel(int x, int y, int w, int h, int lightEntry, int fillEntry, int darkEntry) {
    const SurfaceSlot& s = Display.Slots[slot_];
    if (!s.pixels || x < 0 || y < 0 || w < 1 || h < 1 || x + w > s.width || y + h > s.height) return;
    const uint16_t* c = ::Text.ColourTable;
    BevelBox(x, y, w, h, c[lightEntry & 31], c[fillEntry & 31], c[darkEntry & 31], s.pitch, s.pixels);
}

void SlotWriter::Fill(int x, int y, int w, int h, uint16_t colour) {
    const SurfaceSlot& s = Display.Slots[slot_];
    if (!s.pixels || x < 0 || y < 0 || w < 1 || h < 1 || x + w > s.width || y + h > s.height) return;
    FillBox(x, y, w, h, colour, s.pitch, s.pixels);
}
