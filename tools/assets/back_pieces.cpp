// back.wrk, the picture half: game over, explosions, gauge, title pieces,
// help pieces, the two small animations, and the orchestration of the file.
#include <cmath>

#include "pictures.h"
#include "skin_art.h"

void PaintBackInterface(Canvas& c, const Canvas& zast);

namespace {

constexpr Color kGoldLight = Hex(0xFFEAA8);
constexpr Color kGold = Hex(0xE0AC48);
constexpr Color kGoldDark = Hex(0x8E5E1C);

void PaintGameOver(Canvas& c) {
    const AtlasRegion& r = Region("game_over");
    Pen pen(c);
    cairo_translate(pen, r.x, r.y);
    cairo_rectangle(pen, 0, 0, r.w, r.h);
    cairo_clip(pen);
    cairo_rectangle(pen, 0, 0, r.w, r.h);
    FillVertical(pen, 0, r.h, ui::kBrassLight, ui::kBrassDark);
    cairo_rectangle(pen, 4, 4, r.w - 8, r.h - 8);
    SetColor(pen, Hex(0x1A0E08));
    cairo_fill(pen);
    cairo_rectangle(pen, 6, 6, r.w - 12, r.h - 12);
    FillRadial(pen, r.w / 2.0, r.h * 0.4, r.w * 0.7, Hex(0x5A1A14), Hex(0x1E0A0C));
    for (double x : {12.0, r.w - 12.0})
        for (double y : {12.0, r.h - 12.0}) {
            cairo_arc(pen, x, y, 3, 0, 2 * M_PI);
            FillRadial(pen, x - 1, y - 1, 4, ui::kBrassLight, ui::kBrassDark);
        }
    // A broken pipe: two ends with a gap and a spray of drops.
    cairo_set_line_cap(pen, CAIRO_LINE_CAP_BUTT);
    for (int side = 0; side < 2; ++side) {
        const double x0 = side == 0 ? 40 : 122, x1 = side == 0 ? 88 : 170;
        for (int i = 0; i < 5; ++i) {
            cairo_move_to(pen, x0, 104);
            cairo_line_to(pen, x1, 104);
            cairo_set_line_width(pen, 12 - i * 2.2);
            SetColor(pen, Mix(Hex(0x6A3A14), Hex(0xF6C892), i / 4.0));
            cairo_stroke(pen);
        }
    }
    cairo_move_to(pen, 88, 98);
    cairo_line_to(pen, 92, 103);
    cairo_line_to(pen, 87, 106);
    cairo_line_to(pen, 91, 110);
    cairo_move_to(pen, 122, 98);
    cairo_line_to(pen, 118, 102);
    cairo_line_to(pen, 123, 106);
    cairo_line_to(pen, 119, 110);
    cairo_set_line_width(pen, 1.5);
    SetColor(pen, Hex(0x2A1408));
    cairo_stroke(pen);
    for (int i = 0; i < 7; ++i) {
        const double a = -M_PI / 2 + (i - 3) * 0.32;
        cairo_arc(pen, 105 + std::cos(a) * (14 + (i % 2) * 5), 102 + std::sin(a) * (14 + (i % 2) * 5), 2 - (i % 2) * 0.6, 0, 2 * M_PI);
        SetColor(pen, Hex(0x7CD8FF));
        cairo_fill(pen);
    }
    const double size = FitSize(pen, Face::SerifBold, "Game over", 34, r.w - 36);
    SelectFace(pen, Face::SerifBold, size);
    for (int k = 3; k >= 1; --k) CenteredText(pen, "Game over", r.w / 2.0, 52 + k * 0.5, WithAlpha(Hex(0xFF7020), 0.12 * k));
    CenteredTextShadow(pen, "Game over", r.w / 2.0, 52, kGoldLight, Hex(0x100404), 2, 2);
}

void PaintExplosions(Canvas& c) {
    for (int skin = 0; skin < kSkinCount; ++skin) {
        PaintExplosion(c, 674 + 35 * skin, 471, SkinStyleOf(skin), false);
        PaintExplosion(c, 674 + 35 * skin, 506, SkinStyleOf(skin), true);
    }
}

void PaintGauge(Canvas& c, const Canvas& zast) {
    // The gauge is marks alone on a piece of the start picture.
    CopyRegion(c, "gauge_bg", zast, 125, 108);
    const AtlasRegion& g = Region("gauge_scratch");
    c.MakeHoles(g.x, g.y, g.w, g.h);
    const AtlasRegion& m = Region("gauge_mark");
    c.MakeHoles(m.x, m.y, m.w, m.h);
    static const char* const kMark[8] = {".#####.", "#+++++#", "#+++++#", "#=====#", "#=====#", "#-----#", "#-----#", ".#####."};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 7; ++x) {
            const char k = kMark[y][x];
            if (k == '.') continue;
            const Rgb col = k == '#' ? Rgb{30, 110, 40} : k == '+' ? Rgb{200, 255, 170} : k == '=' ? Rgb{110, 230, 90} : Rgb{60, 170, 60};
            c.Set(m.x + x, m.y + y, col);
        }
}

void PaintCaret(Canvas& c) {
    const AtlasRegion& bar = Region("caret_bar");
    c.Fill(bar.x, bar.y, bar.w, bar.h, ColourEntry(0));
    const AtlasRegion& save = Region("caret_save_column");
    c.MakeHoles(save.x, save.y, save.w, save.h);
}

// The title's gold: every stroke is lit from the left, bars from above, and
// carries no plaque colour, so overlapping pieces join without a seam and the
// title reads the same whether the game copies them keyed or opaque.
const Color kStrokeAcross[3] = {kGoldLight, kGold, kGoldDark};

void PaintTitlePieces(Canvas& c) {
    const AtlasRegion& bead = Region("title_piece_group1");
    const AtlasRegion& bar = Region("title_piece_group2");
    const AtlasRegion& stem = Region("title_piece_group3");
    for (int x = 0; x < 3; ++x) {
        c.Fill(bead.x + x, bead.y, 1, bead.h, ToRgb(kStrokeAcross[x]));
        // Uniform along its length: the posts and rivets are its top rows.
        c.Fill(stem.x + x, stem.y, 1, stem.h, ToRgb(kStrokeAcross[x]));
    }
    for (int y = 0; y < 3; ++y) c.Fill(bar.x, bar.y + y, bar.w, 1, ToRgb(kStrokeAcross[y]));
}

// A diagonal of the X, lit from the left on every row like the legs the
// beads build. It slants more than they do, so its rows are a pixel wider to
// keep the same weight across the stroke.
void PaintXStroke(Canvas& c, const AtlasRegion& r, bool rising) {
    c.MakeHoles(r.x, r.y, r.w, r.h);
    const Color row[4] = {kStrokeAcross[0], kStrokeAcross[1], kStrokeAcross[1], kStrokeAcross[2]};
    for (int y = 0; y < r.h; ++y) {
        const int along = (y * (r.w - 4) * 2 + r.h - 1) / (2 * (r.h - 1));
        const int left = rising ? r.w - 4 - along : along;
        for (int x = 0; x < 4; ++x) c.Set(r.x + left + x, r.y + y, ToRgb(row[x]));
    }
}

void PaintTitlePictures(Canvas& c) {
    PaintXStroke(c, Region("title_keyed_1"), false);
    PaintXStroke(c, Region("title_keyed_2"), true);
}

// The help background: a blueprint grid whose lines fall on multiples of 20,
// so 80 x 60 tiles join without a seam.
Rgb HelpTilePixel(int x, int y) {
    x = ((x % 80) + 80) % 80;
    y = ((y % 60) + 60) % 60;
    int r = 22, g = 38, b = 70;
    if (x % 20 == 0 || y % 20 == 0) {
        r += 14, g += 22, b += 34;
    } else if (x % 10 == 0 || y % 10 == 0) {
        r += 5, g += 8, b += 12;
    }
    // A slow wave of shading that repeats with the tile.
    const double wave = std::sin(x * 2 * M_PI / 80) * std::sin(y * 2 * M_PI / 60);
    g += static_cast<int>(3 * wave), b += static_cast<int>(5 * wave);
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

void PaintHelpPieces(Canvas& c) {
    const AtlasRegion& tile = Region("help_tile");
    for (int y = 0; y < tile.h; ++y)
        for (int x = 0; x < tile.w; ++x) c.Set(tile.x + x, tile.y + y, HelpTilePixel(x, y));
    const struct {
        const char* name;
        int screenX, screenY;
        bool next;
    } arrows[] = {{"help_next_arrow", 741, 567, true}, {"help_prev_arrow", 741, 538, false}};
    for (const auto& a : arrows) {
        const AtlasRegion& r = Region(a.name);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) c.Set(r.x + x, r.y + y, HelpTilePixel(a.screenX + x, a.screenY + y));
        Pen pen(c);
        DrawButton(pen, r.x, r.y, r.w, r.h, a.next ? "Next" : "Back", {false, false, 10, Icon::None});
    }
    // The small arrow between the pieces of help page 0 (keyed).
    const AtlasRegion& arrow = Region("help_arrow");
    Sprite s(arrow.w, arrow.h);
    {
        Pen pen(s.Surface());
        cairo_move_to(pen, 1, 3.5);
        cairo_line_to(pen, 9, 3.5);
        cairo_line_to(pen, 9, 0.5);
        cairo_line_to(pen, 16, 5);
        cairo_line_to(pen, 9, 9.5);
        cairo_line_to(pen, 9, 6.5);
        cairo_line_to(pen, 1, 6.5);
        cairo_close_path(pen);
        FillVertical(pen, 0, 10, kGoldLight, kGold);
    }
    Canvas matte(arrow.w, arrow.h);
    matte.Fill(0, 0, arrow.w, arrow.h, HelpTilePixel(1, 1));
    s.StampKeyed(c, arrow.x, arrow.y, matte, 0, 0, 110);
}

// Top-score animation: a gold star medal spinning about its upright axis,
// one turn in 24 frames, with a spark circling it.
void PaintScoresAnimation(Canvas& c, const Canvas& rec) {
    CopyRegion(c, "scores_anim_patch", rec, 313, 137);
    Canvas matte(35, 35);
    matte.CopyFrom(rec, 313, 137, 35, 35, 0, 0);
    for (int f = 0; f < 24; ++f) {
        const double turn = f * 2 * M_PI / 24;
        const double squash = std::cos(turn);
        const bool front = squash >= 0;
        Sprite s(35, 35);
        {
            Pen pen(s.Surface());
            cairo_save(pen);
            cairo_translate(pen, 17.5, 17.5);
            cairo_scale(pen, std::max(0.1, std::fabs(squash)), 1);
            cairo_arc(pen, 0, 0, 12.5, 0, 2 * M_PI);
            cairo_restore(pen);
            FillRadial(pen, 14, 13, 16, front ? kGoldLight : Hex(0xD8B870), front ? kGoldDark : Hex(0x6A4410));
            cairo_save(pen);
            cairo_translate(pen, 17.5, 17.5);
            cairo_scale(pen, std::max(0.1, std::fabs(squash)), 1);
            cairo_new_path(pen);
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5;
                const double rad = i % 2 == 0 ? 9 : 3.8;
                cairo_line_to(pen, rad * std::cos(a), rad * std::sin(a));
            }
            cairo_close_path(pen);
            cairo_restore(pen);
            SetColor(pen, front ? Hex(0xFFF8E0) : Hex(0x9A6A20));
            cairo_fill(pen);
            const double a = turn * 2;
            const double sx = 17.5 + 15 * std::cos(a), sy = 17.5 + 15 * std::sin(a) * 0.45 - 6;
            cairo_move_to(pen, sx, sy - 3);
            cairo_line_to(pen, sx + 0.8, sy - 0.8);
            cairo_line_to(pen, sx + 3, sy);
            cairo_line_to(pen, sx + 0.8, sy + 0.8);
            cairo_line_to(pen, sx, sy + 3);
            cairo_line_to(pen, sx - 0.8, sy + 0.8);
            cairo_line_to(pen, sx - 3, sy);
            cairo_line_to(pen, sx - 0.8, sy - 0.8);
            cairo_close_path(pen);
            SetColor(pen, Hex(0xFFFFFF));
            cairo_fill(pen);
        }
        s.StampKeyed(c, 236 + 37 * (f % 12), 273 + 37 * (f / 12), matte, 0, 0, 110);
    }
}

// Farewell animation: a tap lets one drop fall and splash, fifteen frames.
void PaintFarewellAnimation(Canvas& c) {
    for (int k = 0; k < 15; ++k) {
        const int x0 = 679 + 23 * (k % 5), y0 = 346 + 21 * (k / 5);
        Pen pen(c);
        cairo_translate(pen, x0, y0);
        cairo_rectangle(pen, 0, 0, 23, 21);
        FillVertical(pen, 0, 21, Hex(0x1A2A48), Hex(0x0E1628));
        // Tap.
        cairo_rectangle(pen, 0, 3, 11, 4);
        FillVertical(pen, 3, 7, Hex(0xF2C892), Hex(0x8A5020));
        cairo_rectangle(pen, 8, 3, 4, 6);
        FillVertical(pen, 3, 9, Hex(0xF2C892), Hex(0x8A5020));
        cairo_rectangle(pen, 3, 1, 5, 2);
        SetColor(pen, Hex(0xC8304A));
        cairo_fill(pen);
        // Basin water line.
        cairo_rectangle(pen, 0, 18, 23, 3);
        SetColor(pen, Hex(0x2A6EA8));
        cairo_fill(pen);
        const Color water = Hex(0x8ADCFF);
        if (k < 5) {
            const double r = 0.6 + k * 0.35;
            cairo_arc(pen, 10, 9 + r, r, 0, 2 * M_PI);
            SetColor(pen, water);
            cairo_fill(pen);
        } else if (k < 11) {
            const double t = (k - 5) / 5.0;
            const double y = 11 + t * t * 6.5;
            cairo_move_to(pen, 10, y - 3);
            cairo_curve_to(pen, 11.8, y, 11.8, y + 2, 10, y + 2);
            cairo_curve_to(pen, 8.2, y + 2, 8.2, y, 10, y - 3);
            SetColor(pen, water);
            cairo_fill(pen);
        } else {
            const double t = (k - 10) / 4.0;
            for (int i = -1; i <= 1; i += 2) {
                cairo_arc(pen, 10 + i * (2 + t * 5), 17 - std::sin(t * M_PI) * 4, 1, 0, 2 * M_PI);
                SetColor(pen, water);
                cairo_fill(pen);
            }
            cairo_save(pen);
            cairo_translate(pen, 10, 18.5);
            cairo_scale(pen, 1, 0.35);
            cairo_arc(pen, 0, 0, 2 + t * 6, 0, 2 * M_PI);
            cairo_restore(pen);
            cairo_set_line_width(pen, 0.8);
            SetColor(pen, WithAlpha(Hex(0xCFF2FF), 1 - t * 0.6));
            cairo_stroke(pen);
        }
    }
}

}  // namespace

void PaintBack(Canvas& back, const Canvas& zast, const Canvas& rec) {
    back.Fill(0, 0, back.Width(), back.Height(), {20, 28, 44});
    PaintBackInterface(back, zast);
    PaintGameOver(back);
    PaintExplosions(back);
    PaintGauge(back, zast);
    PaintCaret(back);
    PaintTitlePieces(back);
    PaintTitlePictures(back);
    PaintHelpPieces(back);
    PaintScoresAnimation(back, rec);
    PaintFarewellAnimation(back);
}
