// zast.wrk (start screen and base of the game screen) and rec.wrk (top scores).
#include <cmath>
#include <cstdint>

#include "pictures.h"
#include "skin_art.h"

namespace {

void NightBackdrop(Canvas& c) {
    Pen pen(c);
    cairo_rectangle(pen, 0, 0, c.Width(), c.Height());
    FillVertical(pen, 0, c.Height(), Hex(0x1A2640), Hex(0x0C1424));
    // Faint drafting grid.
    cairo_set_line_width(pen, 1);
    SetColor(pen, WithAlpha(Hex(0x6A8CC8), 0.06));
    for (int x = 20; x < c.Width(); x += 40) {
        cairo_move_to(pen, x + 0.5, 0);
        cairo_line_to(pen, x + 0.5, c.Height());
    }
    for (int y = 20; y < c.Height(); y += 40) {
        cairo_move_to(pen, 0, y + 0.5);
        cairo_line_to(pen, c.Width(), y + 0.5);
    }
    cairo_stroke(pen);
}

// A wide pipe drawn along a path, shaded like the skins' tubes.
void BigPipe(cairo_t* cr, double width, Color dark, Color light, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < 8; ++i) {
        const double f = i / 7.0;
        cairo_set_line_width(cr, width * (1 - 0.85 * f));
        SetColor(cr, WithAlpha(Mix(dark, light, f), alpha));
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
}

void RimmedPanel(cairo_t* cr, double x, double y, double w, double h, double r, Color top, Color bottom) {
    RoundedRect(cr, x + 2, y + 3, w, h, r);
    SetColor(cr, WithAlpha(Hex(0x000000), 0.45));
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, r);
    FillVertical(cr, y, y + h, ui::kBrassLight, ui::kBrassDark);
    RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, r - 2);
    SetColor(cr, Hex(0x0A0F1A));
    cairo_fill(cr);
    RoundedRect(cr, x + 4, y + 4, w - 8, h - 8, r - 3);
    FillVertical(cr, y + 4, y + h - 4, top, bottom);
}

// The start picture's board: a game in progress in the first skin, with
// closed loops glowing.
void BoardIllustration(Canvas& c) {
    int sides[12][12] = {};
    bool lit[12][12][2] = {};
    auto loop = [&](int c0, int r0, int c1, int r1, bool glowing) {
        for (int col = c0; col <= c1; ++col)
            for (int row : {r0, r1}) {
                if (col > c0) sides[row][col] |= kWest;
                if (col < c1) sides[row][col] |= kEast;
                lit[row][col][1] |= glowing;
                if (col == c0 || col == c1) lit[row][col][0] |= glowing;
            }
        for (int row = r0; row <= r1; ++row)
            for (int col : {c0, c1}) {
                if (row > r0) sides[row][col] |= kNorth;
                if (row < r1) sides[row][col] |= kSouth;
                lit[row][col][0] |= glowing;
            }
    };
    loop(1, 1, 4, 3, true);
    loop(7, 1, 10, 4, false);
    loop(3, 6, 9, 9, true);
    loop(6, 5, 8, 10, false);
    loop(1, 8, 2, 10, false);
    auto kindOf = [](int s) {
        switch (s) {
            case kNorth | kEast | kSouth | kWest: return 0;
            case kNorth | kSouth: return 1;
            case kEast | kWest: return 2;
            case kNorth | kEast: return 3;
            case kEast | kSouth: return 4;
            case kSouth | kWest: return 5;
            case kNorth | kWest: return 6;
            default: return -1;
        }
    };
    uint32_t seed = 20240611u;
    auto next = [&seed](int n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint64_t>(n)) >> 32);
    };
    const SkinStyle& style = SkinStyleOf(0);
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 12; ++col) {
            const int x = 90 + 35 * col, y = 122 + 35 * row;
            int kind = kindOf(sides[row][col]);
            bool litV = false, litH = false, locked = false;
            if (kind >= 0) {
                litV = lit[row][col][0] || (kind != 0 && lit[row][col][1]);
                litH = lit[row][col][1];
                if (kind != 0) litV = litV || litH;
            } else if (next(100) < 45) {
                kind = next(7);
                locked = kind != 0 && next(100) < 15;
            }
            if (kind < 0)
                PaintCellBackground(c, x, y, style, false);
            else
                PaintPipe(c, x, y, style, kind, litV, litH, locked);
        }
    // A soft vignette pulls the eye to the middle.
    Pen pen(c);
    cairo_rectangle(pen, 90, 122, 420, 420);
    cairo_pattern_t* p = cairo_pattern_create_radial(300, 332, 120, 300, 332, 320);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.02, 0.03, 0.08, 0.55);
    cairo_set_source(pen, p);
    cairo_fill(pen);
    cairo_pattern_destroy(p);
}

void ZastFrameAndStrip(Canvas& c) {
    Pen pen(c);
    // Brass frame holding the strip and the board.
    RoundedRect(pen, 81, 70, 438, 477, 7);
    SetColor(pen, WithAlpha(Hex(0x000000), 0.5));
    cairo_fill(pen);
    RoundedRect(pen, 82, 71, 436, 476, 6);
    FillVertical(pen, 71, 547, ui::kBrassLight, ui::kBrassDark);
    cairo_rectangle(pen, 86, 75, 428, 468);
    SetColor(pen, Hex(0x0A0F1A));
    cairo_fill(pen);
    // The strip above the board (counter background in mode 2): a riveted
    // header plate with an engraved inner border and a tick over the middle
    // of every board column, so in modes 0 and 1 it reads as the board's
    // ruler rather than a space left empty. Mode 2's icons and counts cover
    // some ticks and keep their dark ground.
    cairo_rectangle(pen, 90, 77, 420, 31);
    FillVertical(pen, 77, 108, Hex(0x2A3A5C), Hex(0x16203A));
    Bevel(pen, 90, 77, 420, 31, Hex(0x4A6090), Hex(0x0C1222));
    cairo_set_line_width(pen, 1);
    RoundedRect(pen, 94.5, 80.5, 411, 24, 3);
    SetColor(pen, Hex(0x0E1628));
    cairo_stroke(pen);
    RoundedRect(pen, 95.5, 81.5, 411, 24, 3);
    SetColor(pen, WithAlpha(Hex(0x6A84B8), 0.35));
    cairo_stroke(pen);
    for (int col = 0; col < 12; ++col) {
        const double x = 90 + 35 * col + 17;
        cairo_rectangle(pen, x - 1, 100, 3, 5);
        SetColor(pen, Hex(0x0C1222));
        cairo_fill(pen);
        cairo_rectangle(pen, x - 1, 100, 2, 4);
        SetColor(pen, WithAlpha(ui::kBrass, 0.75));
        cairo_fill(pen);
    }
    for (const double x : {99.5, 500.5}) {
        cairo_arc(pen, x, 88.5, 2.2, 0, 2 * M_PI);
        FillRadial(pen, x - 0.7, 87.8, 3, Hex(0x8AA0C4), Hex(0x1A2640));
    }
    // The gauge trough, shared by the strip and the block gauge.
    cairo_rectangle(pen, 90, 108, 420, 8);
    SetColor(pen, Hex(0x101828));
    cairo_fill(pen);
    cairo_rectangle(pen, 150, 108, 324, 8);
    FillVertical(pen, 108, 116, Hex(0x0A101C), Hex(0x1A2640));
    cairo_rectangle(pen, 90, 116, 420, 6);
    FillVertical(pen, 116, 122, ui::kBrassDark, Hex(0x3A2810));
}

void ZastTitlePlaque(Canvas& c) {
    {
        Pen pen(c);
        RoundedRect(pen, 31, 36, 228, 37, 6);
        SetColor(pen, WithAlpha(Hex(0x000000), 0.5));
        cairo_fill(pen);
        RoundedRect(pen, 29, 34, 228, 37, 6);
        FillVertical(pen, 34, 71, ui::kBrassLight, ui::kBrassDark);
    }
    // Plain where the title pieces land.
    const AtlasRegion& area = Region("zast_title_area");
    c.Fill(area.x, area.y, area.w, area.h, kTitlePlaque);
    // The plate stands on a solid brass base: on the game screen the top bar
    // hides the lettering, and this base is all that shows below the bar.
    // Its colours lie on the 16-bit grid, so the dither leaves every row plain.
    const Rgb base[5] = {{240, 208, 136}, {216, 176, 104}, {200, 152, 72}, {160, 116, 48}, {120, 84, 32}};
    for (int y = 0; y < 5; ++y) c.Fill(29, area.y + area.h + y, 228, 1, base[y]);
    c.Fill(29, area.y + area.h + 5, 228, 1, {40, 28, 8});
}

void ZastConsole(Canvas& c) {
    Pen pen(c);
    // The console starts below the "Top Scores" sign, which is a plate of its
    // own and not the heading of the score box beneath it.
    RimmedPanel(pen, 527, 126, 254, 424, 10, Hex(0x1E2C48), Hex(0x141E34));
    // Emblem under the button column: a handwheel over crossed pipes.
    cairo_move_to(pen, 560, 330);
    cairo_line_to(pen, 750, 330);
    BigPipe(pen, 22, Hex(0x5A3014), Hex(0xF2C08A), 1);
    cairo_move_to(pen, 654, 235);
    cairo_line_to(pen, 654, 425);
    BigPipe(pen, 22, Hex(0x5A3014), Hex(0xF2C08A), 1);
    cairo_arc(pen, 654, 330, 62, 0, 2 * M_PI);
    cairo_set_line_width(pen, 14);
    SetColor(pen, Hex(0x401A0C));
    cairo_stroke(pen);
    cairo_arc(pen, 654, 330, 62, 0, 2 * M_PI);
    cairo_set_line_width(pen, 10);
    SetColor(pen, Hex(0xD84A2A));
    cairo_stroke(pen);
    cairo_arc(pen, 654, 328, 62, M_PI * 1.1, M_PI * 1.9);
    cairo_set_line_width(pen, 3);
    SetColor(pen, WithAlpha(Hex(0xFFB8A0), 0.7));
    cairo_stroke(pen);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5 - M_PI / 2;
        cairo_move_to(pen, 654, 330);
        cairo_line_to(pen, 654 + 58 * std::cos(a), 330 + 58 * std::sin(a));
        cairo_set_line_width(pen, 7);
        SetColor(pen, Hex(0xA83218));
        cairo_stroke(pen);
    }
    cairo_arc(pen, 654, 330, 14, 0, 2 * M_PI);
    FillRadial(pen, 650, 326, 16, Hex(0xFFE0A0), Hex(0x8A5A20));
    SelectFace(pen, Face::SerifBold, 17);
    CenteredTextShadow(pen, "Twist Conduits", 654, 440, ui::kBrassLight, Hex(0x05080F));
    CenteredTextShadow(pen, "Lash Tiles", 654, 468, ui::kBrassLight, Hex(0x05080F));
    CenteredTextShadow(pen, "Conduit Sage", 654, 496, ui::kBrassLight, Hex(0x05080F));
    SelectFace(pen, Face::Sans, 11);
    CenteredText(pen, "three ways to close the loop", 654, 524, Hex(0x8EA2C8));
    // Under the score head on the start screen: an ornament line.
    cairo_set_line_width(pen, 1);
    SetColor(pen, ui::kBrass);
    cairo_move_to(pen, 560, 150.5);
    cairo_line_to(pen, 748, 150.5);
    cairo_stroke(pen);
    cairo_arc(pen, 654, 150.5, 4, 0, 2 * M_PI);
    SetColor(pen, ui::kBrassLight);
    cairo_fill(pen);
}

// The sign the game writes "Top Scores" on (its text starts at (620,100)):
// a brass plate like the title's, with a small cup that names the hall of
// fame the Exit button leads to.
void ZastScoresSign(Canvas& c) {
    Pen pen(c);
    constexpr double x = 590, y = 92, w = 126, h = 30;
    RoundedRect(pen, x + 2, y + 2, w, h, 5);
    SetColor(pen, WithAlpha(Hex(0x000000), 0.5));
    cairo_fill(pen);
    RoundedRect(pen, x, y, w, h, 5);
    FillVertical(pen, y, y + h, ui::kBrassLight, ui::kBrassDark);
    RoundedRect(pen, x + 3, y + 3, w - 6, h - 6, 3);
    FillVertical(pen, y + 3, y + h - 3, Hex(0x1C2844), Hex(0x141C34));
    // The cup.
    cairo_move_to(pen, 598, 100);
    cairo_line_to(pen, 610, 100);
    cairo_curve_to(pen, 610, 107, 607, 110, 604, 110);
    cairo_curve_to(pen, 601, 110, 598, 107, 598, 100);
    cairo_close_path(pen);
    FillVertical(pen, 100, 110, ui::kBrassLight, ui::kBrass);
    cairo_rectangle(pen, 603, 110, 2, 4);
    SetColor(pen, ui::kBrass);
    cairo_fill(pen);
    cairo_rectangle(pen, 600, 114, 8, 2);
    SetColor(pen, ui::kBrassDark);
    cairo_fill(pen);
}

void ZastDecoration(Canvas& c) {
    Pen pen(c);
    // Pipes running in from the edges behind the panels.
    cairo_move_to(pen, 0, 300);
    cairo_line_to(pen, 60, 300);
    cairo_arc(pen, 60, 260, 40, M_PI / 2, 0);
    cairo_line_to(pen, 100, 0);
    BigPipe(pen, 18, Hex(0x1E2A44), Hex(0x3C5480), 1);
    cairo_move_to(pen, 0, 470);
    cairo_line_to(pen, 800, 470);
    BigPipe(pen, 18, Hex(0x1E2A44), Hex(0x3C5480), 1);
    cairo_move_to(pen, 300, 0);
    cairo_line_to(pen, 300, 30);
    cairo_arc_negative(pen, 340, 30, 40, M_PI, M_PI / 2);
    cairo_line_to(pen, 800, 70);
    BigPipe(pen, 18, Hex(0x1E2A44), Hex(0x3C5480), 1);
    // A quiet band at the bottom for the notices.
    cairo_rectangle(pen, 0, 550, 800, 50);
    FillVertical(pen, 550, 600, Hex(0x121C30), Hex(0x0C1220));
    cairo_rectangle(pen, 0, 549, 800, 1);
    SetColor(pen, WithAlpha(ui::kBrass, 0.6));
    cairo_fill(pen);
}

void RecTrophy(Canvas& c) {
    Pen pen(c);
    // Spotlight; the animation spot (313,137) lies inside it.
    cairo_arc(pen, 330, 250, 200, 0, 2 * M_PI);
    FillRadial(pen, 330, 200, 200, WithAlpha(Hex(0x4A6CB0), 0.35), WithAlpha(Hex(0x4A6CB0), 0));
    // Pipes feeding the plinth from both sides, with couplings.
    cairo_move_to(pen, 0, 413);
    cairo_line_to(pen, 262, 413);
    BigPipe(pen, 20, Hex(0x7A3A08), Hex(0xFFD080), 1);
    cairo_move_to(pen, 398, 413);
    cairo_line_to(pen, 800, 413);
    BigPipe(pen, 20, Hex(0x7A3A08), Hex(0xFFD080), 1);
    for (double x : {60.0, 160.0, 240.0, 412.0, 500.0}) {
        cairo_rectangle(pen, x, 400, 8, 26);
        FillVertical(pen, 400, 426, ui::kBrassLight, ui::kBrassDark);
    }
    // Cup.
    cairo_move_to(pen, 250, 190);
    cairo_line_to(pen, 410, 190);
    cairo_curve_to(pen, 410, 290, 380, 330, 345, 340);
    cairo_line_to(pen, 345, 380);
    cairo_line_to(pen, 315, 380);
    cairo_line_to(pen, 315, 340);
    cairo_curve_to(pen, 280, 330, 250, 290, 250, 190);
    cairo_close_path(pen);
    cairo_pattern_t* g = cairo_pattern_create_linear(250, 0, 410, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.35, 0.08);
    cairo_pattern_add_color_stop_rgb(g, 0.3, 1.0, 0.9, 0.6);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0.9, 0.66, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.28, 0.06);
    cairo_set_source(pen, g);
    cairo_fill_preserve(pen);
    cairo_set_line_width(pen, 2);
    SetColor(pen, Hex(0x4A2A06));
    cairo_stroke(pen);
    // Handles.
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(pen, 330 + side * 88, 235, 26, 0, 2 * M_PI);
        cairo_set_line_width(pen, 9);
        SetColor(pen, Hex(0x8A5A1A));
        cairo_stroke(pen);
        cairo_arc(pen, 330 + side * 88, 233, 26, side < 0 ? M_PI * 0.9 : M_PI * 1.3, side < 0 ? M_PI * 1.7 : M_PI * 2.1);
        cairo_set_line_width(pen, 3);
        SetColor(pen, Hex(0xFFE2A0));
        cairo_stroke(pen);
    }
    // Base.
    cairo_rectangle(pen, 280, 380, 100, 16);
    cairo_set_source(pen, g);
    cairo_fill(pen);
    cairo_rectangle(pen, 260, 396, 140, 34);
    FillVertical(pen, 396, 430, Hex(0x3A2A1A), Hex(0x1E140C));
    cairo_rectangle(pen, 262, 398, 136, 30);
    SetColor(pen, WithAlpha(ui::kBrass, 0.3));
    cairo_set_line_width(pen, 1);
    cairo_stroke(pen);
    SelectFace(pen, Face::SerifBold, 13);
    CenteredText(pen, "CHAMPIONS", 330, 413, ui::kBrassLight);
    cairo_pattern_destroy(g);
    // Heading on the left.
    SelectFace(pen, Face::SerifBold, 44);
    CenteredTextShadow(pen, "Hall of Fame", 300, 70, ui::kBrassLight, Hex(0x05080F), 3, 3);
    SelectFace(pen, Face::Serif, 15);
    CenteredText(pen, "the finest conduit masters of Torvanex", 300, 108, Hex(0x9AB0D8));
    SelectFace(pen, Face::Serif, 18);
    CenteredText(pen, "Close the loop. Claim your place.", 330, 500, Hex(0xC8A060));
}

void RecTables(Canvas& c) {
    Pen pen(c);
    RoundedRect(pen, 592, 22, 220, 312, 10);
    SetColor(pen, WithAlpha(Hex(0x000000), 0.45));
    cairo_fill(pen);
    RoundedRect(pen, 590, 20, 220, 312, 10);
    FillVertical(pen, 20, 332, ui::kBrassLight, ui::kBrassDark);
    cairo_rectangle(pen, 594, 24, 206, 304);
    FillVertical(pen, 24, 328, Hex(0x1C2A46), Hex(0x121C32));
    // Two tables of five rows; faint stripes every other row.
    const struct {
        int top, rowsTop, left;
    } tables[] = {{72, 90, 598}, {173, 200, 598}};
    for (const auto& t : tables) {
        cairo_rectangle(pen, t.left, t.top, 200, 20 + 5 * 15 + 4 + (t.rowsTop - t.top - 18));
        SetColor(pen, Hex(0x0E1628));
        cairo_fill(pen);
        for (int r = 0; r < 5; r += 2) {
            cairo_rectangle(pen, t.left + 1, t.rowsTop + 15 * r, 198, 15);
            SetColor(pen, Hex(0x16223A));
            cairo_fill(pen);
        }
    }
    cairo_set_line_width(pen, 1);
    SetColor(pen, ui::kBrass);
    cairo_move_to(pen, 606, 58.5);
    cairo_line_to(pen, 790, 58.5);
    cairo_stroke(pen);
}

void RecBottom(Canvas& c) {
    Pen pen(c);
    cairo_rectangle(pen, 0, 574, 800, 26);
    FillVertical(pen, 574, 600, Hex(0x16223A), Hex(0x0E1628));
    cairo_rectangle(pen, 0, 573, 800, 1);
    SetColor(pen, WithAlpha(ui::kBrass, 0.6));
    cairo_fill(pen);
}

}  // namespace

void PaintZast(Canvas& zast) {
    NightBackdrop(zast);
    ZastDecoration(zast);
    ZastTitlePlaque(zast);
    ZastFrameAndStrip(zast);
    BoardIllustration(zast);
    ZastConsole(zast);
    ZastScoresSign(zast);
}

void PaintRec(Canvas& rec) {
    NightBackdrop(rec);
    RecTrophy(rec);
    RecTables(rec);
    RecBottom(rec);
}
