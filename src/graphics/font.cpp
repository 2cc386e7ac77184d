// Font files: read whole, checked against their size, glyph ink measured once.
#include "graphics/font.h"

#include <algorithm>

#include "services/files.h"
#include "services/messages.h"

void LoadWholeFile(const std::string& name, std::vector<uint8_t>& out) {
    out.clear();
    platform::File* file = OpenGameFile(ProgramFile(name), platform::FileMode::Read);
    CheckIo();
    if (!file) return;
    const int64_t size = GameFileSize(file);
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    if (!out.empty()) ReadGameFile(file, out.data(), out.size());
    CheckIo();
    CloseGameFile(file);
    CheckIo();
}

namespace {

int MeasureInk(const uint8_t* glyph, int rowBytes, int height) {
    int ink = 0;
    for (int row = 0; row < height; ++row)
        for (int b = 0; b < rowBytes; ++b) {
            const uint8_t bits = glyph[static_cast<size_t>(row) * rowBytes + b];
            for (int bit = 0; bit < 8; ++bit)
                if (bits & (0x80 >> bit)) ink = std::max(ink, b * 8 + bit + 1);
        }
    return ink;
}

}  // namespace

bool MakeFont(std::vector<uint8_t> image, Font& out) {
    out = Font{};
    if (image.size() < kFontHeaderBytes) return false;
    out.RowBytes = static_cast<uint16_t>(image[0] | (image[1] << 8));
    out.GlyphHeight = static_cast<uint16_t>(image[2] | (image[3] << 8));
    out.FirstCode = image[4];
    const size_t glyphBytes = static_cast<size_t>(out.RowBytes) * out.GlyphHeight;
    // Codes are single bytes, so at most 256 glyphs can ever be reached.
    if (glyphBytes > 0) out.GlyphCount = static_cast<uint32_t>(std::min<size_t>((image.size() - kFontHeaderBytes) / glyphBytes, 256));
    out.Image = std::move(image);
    out.Ink.resize(out.GlyphCount);
    for (uint32_t g = 0; g < out.GlyphCount; ++g)
        out.Ink[g] = static_cast<uint32_t>(
            MeasureInk(out.Image.data() + kFontHeaderBytes + g * glyphBytes, out.RowBytes, out.GlyphHeight));
    return true;
}

void LoadFont(const std::string& name, Font& out) {
    std::vector<uint8_t> image;
    LoadWholeFile(name, image);
    if (!MakeFont(std::move(image), out)) {
        // A file shorter than its header is as broken as a short read.
        SetLastIoResult(kIoShortRead);
        CheckIo();
    }
}

const uint8_t* GlyphOf(const Font& font, uint8_t code) {
    if (code < font.FirstCode) return nullptr;
    const uint32_t index = code - font.FirstCode;
    if (index >= font.GlyphCount) return nullptr;
    return font.Image.data() + kFontHeaderBytes + static_cast<size_t>(index) * font.RowBytes * font.GlyphHeight;
}

int InkWidth(const Font& font, uint8_t code) {
    if (code < font.FirstCode) return 0;
    const uint32_t index = code - font.FirstCode;
    return index < font.GlyphCount ? font.Ink[index] : 0;
}
