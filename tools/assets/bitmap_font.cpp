#include "bitmap_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "data_out.h"

namespace bitmap_font {
namespace {

constexpr int kFirstCode = 32;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "torvanex-assets: %s\n", what.c_str());
    std::exit(1);
}

// fontconfig happily substitutes another face; a silent substitute would change
// every measured line of the help, so only the asked-for family is accepted.
std::string FindFaceFile(const std::string& family) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>("Regular"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string file;
    if (match != nullptr) {
        FcChar8* path = nullptr;
        FcChar8* found = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
            strcasecmp(reinterpret_cast<const char*>(found), family.c_str()) == 0 &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    if (file.empty()) Fail("typeface not installed: " + family);
    return file;
}

struct MonoGlyph {
    int width = 0, rows = 0, top = 0;  // top: rows above the baseline
    std::vector<bool> ink;             // rows x width
    bool At(int x, int y) const { return ink[static_cast<size_t>(y * width + x)]; }
};

MonoGlyph Render(FT_Face face, char32_t code, double squeeze) {
    FT_Matrix matrix{static_cast<FT_Fixed>(squeeze * 65536.0), 0, 0, 0x10000};
    FT_Set_Transform(face, &matrix, nullptr);
    MonoGlyph glyph;
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0) return glyph;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
    const FT_Bitmap& bm = face->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return glyph;
    // Trim blank columns so the glyph can be placed by its ink alone.
    int left = static_cast<int>(bm.width), right = -1;
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x)
            if (bm.buffer[y * bm.pitch + x / 8] & (0x80 >> (x % 8))) {
                left = std::min(left, static_cast<int>(x));
                right = std::max(right, static_cast<int>(x));
            }
    if (right < 0) return glyph;
    glyph.width = right - left + 1;
    glyph.rows = static_cast<int>(bm.rows);
    glyph.top = face->glyph->bitmap_top;
    glyph.ink.resize(static_cast<size_t>(glyph.width * glyph.rows));
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            int sx = x + left;
            glyph.ink[static_cast<size_t>(y * glyph.width + x)] =
                (bm.buffer[y * bm.pitch + sx / 8] & (0x80 >> (sx % 8))) != 0;
        }
    return glyph;
}

}  // namespace

char32_t Cp1252ToUnicode(std::uint8_t byte) {
    static const char32_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

std::vector<std::uint8_t> RasteriseFont(const FontRecipe& recipe) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) Fail("FreeType does not start");
    FT_Face face = nullptr;
    std::string file = FindFaceFile(recipe.family);
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0) Fail("cannot open " + file);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(recipe.pixelSize));

    const int cellWidth = 8 * recipe.rowBytes;
    std::vector<std::uint8_t> out;
    data_out::PutU16(out, static_cast<unsigned>(recipe.rowBytes));
    data_out::PutU16(out, static_cast<unsigned>(recipe.glyphHeight));
    out.push_back(kFirstCode);
    for (int code = kFirstCode; code <= 255; ++code) {
        std::vector<std::uint8_t> cell(static_cast<size_t>(recipe.glyphHeight * recipe.rowBytes), 0);
        char32_t unicode = Cp1252ToUnicode(static_cast<std::uint8_t>(code));
        // The space and the no-break space stay blank: the game spaces words by blank glyphs.
        MonoGlyph glyph;
        if (unicode != 0 && unicode != 0x20 && unicode != 0xA0) {
            glyph = Render(face, unicode, 1.0);
            // Too wide for the cell (W, M, m in the small font): narrow it rather than cut it.
            for (int attempt = 0; glyph.width > cellWidth && attempt < 8; ++attempt) {
                double squeeze = static_cast<double>(cellWidth) / glyph.width * (1.0 - 0.03 * attempt);
                glyph = Render(face, unicode, squeeze);
            }
        }
        // Accents above the cell are pushed down into its top row instead of lost.
        for (int y = 0; y < glyph.rows; ++y) {
            int row = std::clamp(recipe.baselineRow - glyph.top + y, 0, recipe.glyphHeight - 1);
            for (int x = 0; x < std::min(glyph.width, cellWidth); ++x)
                if (glyph.At(x, y))
                    cell[static_cast<size_t>(row * recipe.rowBytes + x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), cell.begin(), cell.end());
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return out;
}

}  // namespace bitmap_font
