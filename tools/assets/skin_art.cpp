// Cells, pipes, blocks and bursts of the three skins.
#include "skin_art.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMid = kCell / 2.0;
constexpr double kTube = 11;  // pixels 12..22 of every cell edge

const SkinStyle kStyles[kSkinCount] = {
    {"brass on slate", Texture::Slate, Hex(0x3E4858), Hex(0x2C3442), Hex(0x56647A), Hex(0x1A2029),
     {Hex(0x2A160A), Hex(0x7A421A), Hex(0xC47A3C), Hex(0xF6C892)},
     {Hex(0x5A2600), Hex(0xD86A10), Hex(0xFFB238), Hex(0xFFF6C8)},
     {Hex(0x15181C), Hex(0x3C424C), Hex(0x7C8694), Hex(0xD0D8E2)},
     Hex(0xE0B860), Hex(0xFF9A20),
     Hex(0x3A414C), Hex(0x262C35), Hex(0x101317), Hex(0xC8D0D8),
     Hex(0xC8963C), Hex(0xF6DA96), Hex(0x7CF0FF),
     Hex(0xE8502C), Hex(0x801C0C),
     Hex(0xF6D890), Hex(0x2A160A), Hex(0x7CF0FF),
     Hex(0xFFB040)},
    {"neon on glass", Texture::Glass, Hex(0x14224A), Hex(0x0A1230), Hex(0x2E4C8E), Hex(0x050A1A),
     {Hex(0x0A1A3C), Hex(0x1A3A74), Hex(0x3A76C6), Hex(0xB0DCFF)},
     {Hex(0x48083E), Hex(0xE040D8), Hex(0xFF90F4), Hex(0xFFF4FF)},
     {Hex(0x1E1204), Hex(0x4A300A), Hex(0x8A6420), Hex(0xD8B060)},
     Hex(0xA8B8D0), Hex(0xFF40E0),
     Hex(0x1E2A50), Hex(0x121A36), Hex(0x8A9CC0), Hex(0xD8E4F8),
     Hex(0x28C8F0), Hex(0xC8F8FF), Hex(0xFFE040),
     Hex(0xFF3A6A), Hex(0x8A0A2A),
     Hex(0x70F4FF), Hex(0x061028), Hex(0xFFE040),
     Hex(0xFF60F0)},
    // A mid-tone sand, so the board sits in the navy frame like the others:
    // dark hoses on it, lit ones near white inside a dark halo.
    {"hoses on sand", Texture::Sand, Hex(0xB69868), Hex(0xA28456), Hex(0xCEB282), Hex(0x5E4A2A),
     {Hex(0x081204), Hex(0x0E220A), Hex(0x1A4212), Hex(0x468034)},
     {Hex(0x041420), Hex(0x58C8F0), Hex(0xB4F0FF), Hex(0xFFFFFF)},
     {Hex(0x100C04), Hex(0x241E10), Hex(0x40381E), Hex(0x8C7C50)},
     Hex(0xD0A848), Hex(0x02080E),
     Hex(0xD2AC76), Hex(0xB88E54), Hex(0x5A3818), Hex(0x3A3A40),
     Hex(0xC8643A), Hex(0xF4A878), Hex(0x2060E0),
     Hex(0xF07818), Hex(0x2A0E00),
     Hex(0x9AE866), Hex(0x173010), Hex(0xF040F0),
     Hex(0x60D8FF)},
};

uint32_t Hash(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

uint8_t Clamp(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Fine grain that depends on the cell position only, so equal cells stay equal.
void Grain(Canvas& c, int ox, int oy, int amount, int seed) {
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const int d = static_cast<int>(Hash(x, y, seed) % (2 * amount + 1)) - amount;
            Rgb p = c.Get(ox + x, oy + y);
            c.Set(ox + x, oy + y, {Clamp(p.r + d), Clamp(p.g + d), Clamp(p.b + d)});
        }
}

void PathFor(cairo_t* cr, int kind) {
    switch (kind) {
        case 1:
            cairo_move_to(cr, kMid, -2);
            cairo_line_to(cr, kMid, kCell + 2);
            break;
        case 2:
            cairo_move_to(cr, -2, kMid);
            cairo_line_to(cr, kCell + 2, kMid);
            break;
        case 3:
            cairo_arc(cr, kCell, 0, kMid, M_PI / 2, M_PI);
            break;
        case 4:
            cairo_arc(cr, kCell, kCell, kMid, M_PI, 1.5 * M_PI);
            break;
        case 5:
            cairo_arc(cr, 0, kCell, kMid, 1.5 * M_PI, 2 * M_PI);
            break;
        case 6:
            cairo_arc(cr, 0, 0, kMid, 0, M_PI / 2);
            break;
        default:
            break;
    }
}

// A tube shaded like a cylinder: nested strokes from the rim to the crest.
void Tube(cairo_t* cr, int kind, const TubeColors& t, bool lit, Color glow) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (lit) {
        for (int i = 0; i < 3; ++i) {
            PathFor(cr, kind);
            cairo_set_line_width(cr, kTube + 12 - 4 * i);
            SetColor(cr, WithAlpha(glow, 0.16 + 0.1 * i));
            cairo_stroke(cr);
        }
    }
    PathFor(cr, kind);
    cairo_set_line_width(cr, kTube + 2);
    SetColor(cr, t.outline);
    cairo_stroke(cr);
    constexpr int kSteps = 7;
    for (int i = 0; i < kSteps; ++i) {
        const double f = static_cast<double>(i) / (kSteps - 1);
        const Color c = f < 0.6 ? Mix(t.dark, t.mid, f / 0.6) : Mix(t.mid, t.light, (f - 0.6) / 0.4);
        PathFor(cr, kind);
        cairo_set_line_width(cr, kTube * (1 - f * 0.85));
        SetColor(cr, c);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// A coupling ring where the pipe meets the cell edge; two neighbours' halves
// make one joint.
void Collar(cairo_t* cr, int side, Color metal, Color outline) {
    const double half = kTube / 2 + 2;
    double x = 0, y = 0, w = 0, h = 0;
    const double depth = 3;
    switch (side) {
        case kNorth: x = kMid - half; y = 0; w = 2 * half; h = depth; break;
        case kSouth: x = kMid - half; y = kCell - depth; w = 2 * half; h = depth; break;
        case kWest: x = 0; y = kMid - half; w = depth; h = 2 * half; break;
        default: x = kCell - depth; y = kMid - half; w = depth; h = 2 * half; break;
    }
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, outline);
    cairo_fill(cr);
    const bool across = side == kNorth || side == kSouth;
    cairo_pattern_t* p = across ? cairo_pattern_create_linear(x, 0, x + w, 0) : cairo_pattern_create_linear(0, y, 0, y + h);
    const Color dark = Darker(metal, 0.45), light = Lighter(metal, 0.5);
    cairo_pattern_add_color_stop_rgb(p, 0, dark.r, dark.g, dark.b);
    cairo_pattern_add_color_stop_rgb(p, 0.35, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, p);
    if (across)
        cairo_rectangle(cr, x + 1, y, w - 2, h);
    else
        cairo_rectangle(cr, x, y + 1, w, h - 2);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Bolt(cairo_t* cr, double cx, double cy, Color metal) {
    cairo_arc(cr, cx + 0.6, cy + 0.6, 2.4, 0, 2 * M_PI);
    SetColor(cr, WithAlpha(Hex(0x000000), 0.5));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 2.2, 0, 2 * M_PI);
    FillRadial(cr, cx - 0.8, cy - 0.8, 3, Lighter(metal, 0.6), Darker(metal, 0.45));
    cairo_move_to(cr, cx - 1.4, cy + 1.4);
    cairo_line_to(cr, cx + 1.4, cy - 1.4);
    cairo_set_line_width(cr, 0.8);
    SetColor(cr, Darker(metal, 0.6));
    cairo_stroke(cr);
}

void LockedPlate(cairo_t* cr, const SkinStyle& s) {
    // A separate plate screwed onto the cell, with a heavy frame.
    RoundedRect(cr, 1, 1, kCell - 2, kCell - 2, 3);
    SetColor(cr, s.plateEdge);
    cairo_fill(cr);
    RoundedRect(cr, 2, 2, kCell - 4, kCell - 4, 2.5);
    FillVertical(cr, 2, kCell - 2, s.plateTop, s.plateBottom);
    cairo_set_line_width(cr, 1);
    RoundedRect(cr, 2.5, 2.5, kCell - 5, kCell - 5, 2);
    SetColor(cr, WithAlpha(Lighter(s.plateTop, 0.5), 0.7));
    cairo_stroke(cr);
    if (s.texture == Texture::Sand) {
        // Crate boards.
        cairo_set_line_width(cr, 1);
        SetColor(cr, WithAlpha(s.plateEdge, 0.55));
        for (double y : {11.5, 23.5}) {
            cairo_move_to(cr, 3, y);
            cairo_line_to(cr, kCell - 3, y);
        }
        cairo_stroke(cr);
    } else {
        // Diagonal brushed strokes.
        cairo_save(cr);
        RoundedRect(cr, 3, 3, kCell - 6, kCell - 6, 2);
        cairo_clip(cr);
        cairo_set_line_width(cr, 1);
        SetColor(cr, WithAlpha(Lighter(s.plateTop, 0.4), 0.18));
        for (int k = -kCell; k < kCell; k += 4) {
            cairo_move_to(cr, k, kCell);
            cairo_line_to(cr, k + kCell, 0);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    for (double bx : {5.5, kCell - 5.5})
        for (double by : {5.5, kCell - 5.5}) Bolt(cr, bx, by, s.bolt);
}

// Clamps across the tube at a third and two thirds of its way: raised metal
// bands a little wider than the tube, lit on one edge and shaded on the other,
// so they read as hardware on the pipe and never as a crack in it.
void BandsOnLockedTube(cairo_t* cr, int kind, const SkinStyle& s) {
    const double half = kTube / 2 + 1.5;
    auto band = [&](double cx, double cy, double angle) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, angle);
        cairo_rectangle(cr, -half - 0.5, -2.5, 2 * half + 1, 5);
        SetColor(cr, WithAlpha(Hex(0x000000), 0.35));
        cairo_fill(cr);
        cairo_rectangle(cr, -half, -2, 2 * half, 4);
        FillVertical(cr, -2, 2, Lighter(s.bolt, 0.55), s.bolt, 0.4, Darker(s.bolt, 0.55));
        cairo_restore(cr);
    };
    if (kind == 1 || kind == 0) {
        band(kMid, 9, 0);
        band(kMid, 26, 0);
    }
    if (kind == 2 || kind == 0) {
        band(9, kMid, M_PI / 2);
        band(26, kMid, M_PI / 2);
    }
    if (kind >= 3) {
        // One clamp across the bend, radial from the corner the bend turns about.
        const int openings = OpeningsOf(kind);
        const double cx = (openings & kEast) ? kCell : 0, cy = (openings & kSouth) ? kCell : 0;
        const double ax = kMid - cx, ay = kMid - cy;
        const double len = std::hypot(ax, ay);
        band(cx + ax / len * kMid, cy + ay / len * kMid, std::atan2(ay, ax) + M_PI / 2);
    }
}

}  // namespace

const SkinStyle& SkinStyleOf(int skin) { return kStyles[skin]; }

int OpeningsOf(int kind) {
    static constexpr int kOpenings[7] = {kNorth | kEast | kSouth | kWest, kNorth | kSouth, kEast | kWest,
                                         kNorth | kEast, kEast | kSouth, kSouth | kWest, kNorth | kWest};
    return kOpenings[kind];
}

void PaintCellBackground(Canvas& c, int ox, int oy, const SkinStyle& s, bool locked) {
    {
        Pen pen(c);
        cairo_translate(pen, ox, oy);
        cairo_rectangle(pen, 0, 0, kCell, kCell);
        FillVertical(pen, 0, kCell, s.cellTop, s.cellBottom);
        if (s.texture == Texture::Glass) {
            cairo_move_to(pen, 0, 14);
            cairo_line_to(pen, 14, 0);
            cairo_line_to(pen, 24, 0);
            cairo_line_to(pen, 0, 24);
            cairo_close_path(pen);
            SetColor(pen, WithAlpha(Hex(0x8FB4FF), 0.08));
            cairo_fill(pen);
        }
        Bevel(pen, 0, 0, kCell, kCell, s.groutLight, s.groutDark);
    }
    const int grain = s.texture == Texture::Sand ? 9 : s.texture == Texture::Slate ? 5 : 2;
    Grain(c, ox + 0, oy + 0, grain, static_cast<int>(s.texture) + 1);
    if (locked) {
        Pen pen(c);
        cairo_translate(pen, ox, oy);
        LockedPlate(pen, s);
    }
}

void PaintPipe(Canvas& c, int ox, int oy, const SkinStyle& s, int kind, bool litMain, bool litCross, bool locked) {
    PaintCellBackground(c, ox, oy, s, locked);
    Pen pen(c);
    cairo_translate(pen, ox, oy);
    cairo_rectangle(pen, 0, 0, kCell, kCell);
    cairo_clip(pen);
    const TubeColors& normal = locked ? s.lockedTube : s.tube;
    auto paint = [&](int k, bool lit) {
        Tube(pen, k, lit ? s.lit : normal, lit, s.glow);
        if (locked) BandsOnLockedTube(pen, k, s);
    };
    if (kind == 0) {
        // The lit path of a half-lit cross lies on top, so the light reads as continuous.
        if (litCross && !litMain) {
            paint(1, false);
            paint(2, true);
        } else {
            paint(2, litCross);
            paint(1, litMain);
        }
    } else {
        paint(kind, litMain);
    }
    const int openings = OpeningsOf(kind);
    for (int side : {kNorth, kEast, kSouth, kWest})
        if (openings & side) Collar(pen, side, locked ? s.bolt : s.collar, s.tube.outline);
}

void PaintBlock(Canvas& c, int ox, int oy, const SkinStyle& s, int sides, bool lineEnd) {
    PaintCellBackground(c, ox, oy, s, false);
    Pen pen(c);
    cairo_translate(pen, ox, oy);
    cairo_rectangle(pen, 0, 0, kCell, kCell);
    cairo_clip(pen);
    // Link stubs are pieces of the line picture, so a line joins them seamlessly.
    for (int side : {kNorth, kEast, kSouth, kWest}) {
        if (!(sides & side)) continue;
        cairo_save(pen);
        if (side == kNorth) cairo_rectangle(pen, 0, 0, kCell, kMid);
        if (side == kSouth) cairo_rectangle(pen, 0, kMid, kCell, kMid);
        if (side == kWest) cairo_rectangle(pen, 0, 0, kMid, kCell);
        if (side == kEast) cairo_rectangle(pen, kMid, 0, kMid, kCell);
        cairo_clip(pen);
        Tube(pen, (side == kNorth || side == kSouth) ? 1 : 2, s.lit, true, s.glow);
        Collar(pen, side, s.collar, s.tube.outline);
        cairo_restore(pen);
    }
    if (lineEnd) {
        cairo_arc(pen, kMid, kMid, 15, 0, 2 * M_PI);
        FillRadial(pen, kMid, kMid, 15.5, WithAlpha(s.ring, 0.85), WithAlpha(s.ring, 0));
    }
    const double x = 7.5, w = 20;
    RoundedRect(pen, x + 1, x + 1.5, w, w, 5);
    SetColor(pen, WithAlpha(Hex(0x000000), 0.45));
    cairo_fill(pen);
    RoundedRect(pen, x, x, w, w, 5);
    SetColor(pen, Darker(s.block, 0.55));
    cairo_fill(pen);
    RoundedRect(pen, x + 1, x + 1, w - 2, w - 2, 4);
    FillRadial(pen, x + 6, x + 5, 18, s.blockLight, Darker(s.block, 0.15));
    RoundedRect(pen, x + 4, x + 4, w - 8, w - 8, 3);
    SetColor(pen, WithAlpha(Darker(s.block, 0.4), 0.5));
    cairo_set_line_width(pen, 1);
    cairo_stroke(pen);
    cairo_arc(pen, x + 6, x + 5.5, 2.2, 0, 2 * M_PI);
    SetColor(pen, WithAlpha(Hex(0xFFFFFF), 0.75));
    cairo_fill(pen);
    if (lineEnd) {
        RoundedRect(pen, x - 1.5, x - 1.5, w + 3, w + 3, 6.5);
        SetColor(pen, s.ring);
        cairo_set_line_width(pen, 2);
        cairo_stroke(pen);
    }
}

void PaintExplosion(Canvas& c, int ox, int oy, const SkinStyle& s, bool locked) {
    PaintCellBackground(c, ox, oy, s, false);
    Pen pen(c);
    cairo_translate(pen, ox, oy);
    cairo_rectangle(pen, 0, 0, kCell, kCell);
    cairo_clip(pen);
    cairo_arc(pen, kMid, kMid, 17, 0, 2 * M_PI);
    FillRadial(pen, kMid, kMid, 17, WithAlpha(s.burst, 0.9), WithAlpha(s.burst, 0));
    // A twelve-point star burst with a white-hot core.
    cairo_new_path(pen);
    for (int i = 0; i < 24; ++i) {
        const double a = i * M_PI / 12 + 0.13;
        const double r = (i % 2 == 0) ? (i % 4 == 0 ? 16.5 : 13) : 5.5;
        cairo_line_to(pen, kMid + r * std::cos(a), kMid + r * std::sin(a));
    }
    cairo_close_path(pen);
    FillRadial(pen, kMid, kMid, 16, Hex(0xFFFFF0), s.burst);
    cairo_arc(pen, kMid, kMid, 5, 0, 2 * M_PI);
    SetColor(pen, Hex(0xFFFFFF));
    cairo_fill(pen);
    // Flying fragments: tube pieces, or bolts and plate shards for a locked piece.
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3 + 0.5;
        const double px = kMid + 12.5 * std::cos(a), py = kMid + 12.5 * std::sin(a);
        if (locked) {
            if (i % 2 == 0) {
                Bolt(pen, px, py, s.bolt);
            } else {
                cairo_save(pen);
                cairo_translate(pen, px, py);
                cairo_rotate(pen, a);
                cairo_rectangle(pen, -3, -2, 6, 4);
                SetColor(pen, s.plateTop);
                cairo_fill_preserve(pen);
                SetColor(pen, s.plateEdge);
                cairo_set_line_width(pen, 0.8);
                cairo_stroke(pen);
                cairo_restore(pen);
            }
        } else {
            cairo_save(pen);
            cairo_translate(pen, px, py);
            cairo_rotate(pen, a + 0.8);
            cairo_rectangle(pen, -2.5, -1.5, 5, 3);
            SetColor(pen, s.tube.mid);
            cairo_fill_preserve(pen);
            SetColor(pen, s.tube.outline);
            cairo_set_line_width(pen, 0.8);
            cairo_stroke(pen);
            cairo_restore(pen);
        }
    }
}

void DrawPointer(cairo_t* cr, const SkinStyle& s) {
    // Classic arrow, tip at the hot spot (0, 0).
    cairo_move_to(cr, 0.8, 0.8);
    cairo_line_to(cr, 0.8, 19.5);
    cairo_line_to(cr, 5.2, 15.4);
    cairo_line_to(cr, 8.6, 23.2);
    cairo_line_to(cr, 11.6, 21.9);
    cairo_line_to(cr, 8.3, 14.3);
    cairo_line_to(cr, 14.4, 14.3);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, s.pointerEdge);
    cairo_stroke_preserve(cr);
    FillVertical(cr, 0, 24, Lighter(s.pointer, 0.45), s.pointer);
}

void DrawKeyFrame(cairo_t* cr, const SkinStyle& s) {
    cairo_set_line_width(cr, 3);
    RoundedRect(cr, 1.5, 1.5, kCell - 3, kCell - 3, 4);
    SetColor(cr, Darker(s.keyFrame, 0.6));
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.6);
    RoundedRect(cr, 1.5, 1.5, kCell - 3, kCell - 3, 4);
    SetColor(cr, s.keyFrame);
    cairo_stroke(cr);
    // Corner brackets make the frame readable over any cell.
    cairo_set_line_width(cr, 3);
    SetColor(cr, Lighter(s.keyFrame, 0.5));
    for (int i = 0; i < 4; ++i) {
        const double x = (i & 1) ? kCell - 2 : 2, y = (i & 2) ? kCell - 2 : 2;
        const double dx = (i & 1) ? -8 : 8, dy = (i & 2) ? -8 : 8;
        cairo_move_to(cr, x + dx, y);
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x, y + dy);
        cairo_stroke(cr);
    }
}
