// The two bitmap fonts of the game, "arial8" (tables and notices) and "times16" (headings, help).
#include "bitmap_font.h"
#include "data_out.h"
#include "generator.h"

void WriteFonts(const std::string& folder) {
    // Small sans serif: 12 rows keep the 13-row pitch of the notices with the shadow
    // row free, and its digits stay 6 pixels wide so a six-digit score fits the tables.
    bitmap_font::FontRecipe small{"DejaVu Sans", 10, 1, 12, 10};
    // Large serif: 20 rows (accents included) leave the shadow inside the 22-row help
    // pitch and the 17 x 22 typed-letter cell of the name entry.
    bitmap_font::FontRecipe large{"Liberation Serif", 17, 2, 20, 15};
    data_out::WriteBytes(folder + "arial8", bitmap_font::RasteriseFont(small));
    data_out::WriteBytes(folder + "times16", bitmap_font::RasteriseFont(large));
}
