// The drawing vocabulary: gradients, text placement, icons and buttons.
#include "paint.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Color Mix(Color a, Color b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color WithAlpha(Color c, double a) { return {c.r, c.g, c.b, a}; }

void SetColor(cairo_t* cr, Color c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Color top, Color bottom, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void FillVertical(cairo_t* cr, double y0, double y1, Color top, Color middle, double middleAt, Color bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, middleAt, middle.r, middle.g, middle.b, middle.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, Color inner, Color outer, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, inner.a);
    cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outer.a);
    cairo_set_source(cr, p);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void SelectFace(cairo_t* cr, Face face, double size) {
    const bool bold = face == Face::SansBold || face == Face::SerifBold || face == Face::CondensedBold;
    const char* family = "DejaVu Sans";
    if (face == Face::Serif || face == Face::SerifBold) family = "DejaVu Serif";
    if (face == Face::Condensed || face == Face::CondensedBold) family = "DejaVu Sans Condensed";
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const char* text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.width;
}

void CenteredText(cairo_t* cr, const char* text, double cx, double cy, Color color) {
    // Vertical placement by the capital height, so labels with and without
    // descenders share one baseline.
    cairo_text_extents_t e, cap;
    cairo_text_extents(cr, text, &e);
    cairo_text_extents(cr, "H", &cap);
    SetColor(cr, color);
    cairo_move_to(cr, std::round(cx - e.width / 2 - e.x_bearing), std::round(cy + cap.height / 2));
    cairo_show_text(cr, text);
}

void CenteredTextShadow(cairo_t* cr, const char* text, double cx, double cy, Color color, Color shadow, double dx, double dy) {
    CenteredText(cr, text, cx + dx, cy + dy, shadow);
    CenteredText(cr, text, cx, cy, color);
}

double FitSize(cairo_t* cr, Face face, const char* text, double maxSize, double width) {
    double size = maxSize;
    for (; size > 6; size -= 0.5) {
        SelectFace(cr, face, size);
        if (TextWidth(cr, text) <= width) break;
    }
    return size;
}

void Bevel(cairo_t* cr, double x, double y, double w, double h, Color light, Color dark, double width) {
    cairo_save(cr);
    cairo_set_line_width(cr, width);
    const double o = width / 2;
    SetColor(cr, light);
    cairo_move_to(cr, x + o, y + h - o);
    cairo_line_to(cr, x + o, y + o);
    cairo_line_to(cr, x + w - o, y + o);
    cairo_stroke(cr);
    SetColor(cr, dark);
    cairo_move_to(cr, x + w - o, y + o);
    cairo_line_to(cr, x + w - o, y + h - o);
    cairo_line_to(cr, x + o, y + h - o);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double s, Color c) {
    cairo_save(cr);
    SetColor(cr, c);
    cairo_set_line_width(cr, std::max(1.5, s * 0.13));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double h = s / 2;
    switch (icon) {
        case Icon::None:
            break;
        case Icon::Help:
            cairo_arc(cr, cx, cy, h, 0, 2 * M_PI);
            cairo_stroke(cr);
            SelectFace(cr, Face::SansBold, s * 0.8);
            CenteredText(cr, "?", cx, cy, c);
            break;
        case Icon::Sound:
            cairo_move_to(cr, cx - h, cy - h * 0.35);
            cairo_line_to(cr, cx - h * 0.45, cy - h * 0.35);
            cairo_line_to(cr, cx + h * 0.1, cy - h * 0.9);
            cairo_line_to(cr, cx + h * 0.1, cy + h * 0.9);
            cairo_line_to(cr, cx - h * 0.45, cy + h * 0.35);
            cairo_line_to(cr, cx - h, cy + h * 0.35);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_arc(cr, cx + h * 0.1, cy, h * 0.55, -0.8, 0.8);
            cairo_stroke(cr);
            cairo_arc(cr, cx + h * 0.1, cy, h * 0.95, -0.8, 0.8);
            cairo_stroke(cr);
            break;
        case Icon::Music:
            cairo_arc(cr, cx - h * 0.45, cy + h * 0.6, h * 0.33, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_arc(cr, cx + h * 0.6, cy + h * 0.4, h * 0.33, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_move_to(cr, cx - h * 0.15, cy + h * 0.6);
            cairo_line_to(cr, cx - h * 0.15, cy - h * 0.8);
            cairo_line_to(cr, cx + h * 0.9, cy - h);
            cairo_line_to(cr, cx + h * 0.9, cy + h * 0.4);
            cairo_stroke(cr);
            break;
        case Icon::Minimise:
            cairo_rectangle(cr, cx - h, cy - h * 0.8, s, s * 0.8);
            cairo_stroke(cr);
            cairo_move_to(cr, cx - h * 0.5, cy + h * 0.7);
            cairo_line_to(cr, cx + h * 0.5, cy + h * 0.7);
            cairo_stroke(cr);
            break;
        case Icon::Exit:
        case Icon::Stop:
            if (icon == Icon::Stop) {
                RoundedRect(cr, cx - h * 0.8, cy - h * 0.8, s * 0.8, s * 0.8, 2);
                cairo_fill(cr);
                break;
            }
            cairo_move_to(cr, cx - h * 0.7, cy - h * 0.7);
            cairo_line_to(cr, cx + h * 0.7, cy + h * 0.7);
            cairo_move_to(cr, cx + h * 0.7, cy - h * 0.7);
            cairo_line_to(cr, cx - h * 0.7, cy + h * 0.7);
            cairo_stroke(cr);
            break;
        case Icon::NewGame:
            cairo_move_to(cr, cx - h * 0.6, cy - h * 0.9);
            cairo_line_to(cr, cx + h * 0.9, cy);
            cairo_line_to(cr, cx - h * 0.6, cy + h * 0.9);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case Icon::Speed:
            cairo_arc(cr, cx, cy + h * 0.3, h, M_PI, 2 * M_PI);
            cairo_stroke(cr);
            cairo_move_to(cr, cx, cy + h * 0.3);
            cairo_line_to(cr, cx + h * 0.55, cy - h * 0.35);
            cairo_stroke(cr);
            break;
        case Icon::Level:
            for (int i = 0; i < 3; ++i) {
                cairo_rectangle(cr, cx - h + i * s * 0.36, cy + h - (i + 1) * s * 0.3, s * 0.26, (i + 1) * s * 0.3);
                cairo_fill(cr);
            }
            break;
        case Icon::Skin:
            for (int i = 0; i < 3; ++i) {
                cairo_arc(cr, cx + std::cos(i * 2.1 - 1.6) * h * 0.45, cy + std::sin(i * 2.1 - 1.6) * h * 0.45, h * 0.45, 0, 2 * M_PI);
                cairo_stroke(cr);
            }
            break;
        case Icon::Home:
            cairo_move_to(cr, cx - h, cy);
            cairo_line_to(cr, cx, cy - h);
            cairo_line_to(cr, cx + h, cy);
            cairo_stroke(cr);
            cairo_rectangle(cr, cx - h * 0.6, cy, s * 0.6, h * 0.85);
            cairo_fill(cr);
            break;
        case Icon::GiveUp:
            cairo_move_to(cr, cx - h * 0.6, cy + h);
            cairo_line_to(cr, cx - h * 0.6, cy - h);
            cairo_stroke(cr);
            cairo_move_to(cr, cx - h * 0.6, cy - h);
            cairo_line_to(cr, cx + h, cy - h * 0.6);
            cairo_line_to(cr, cx - h * 0.6, cy - h * 0.1);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
    }
    cairo_restore(cr);
}

void DrawButton(cairo_t* cr, double x, double y, double w, double h, const char* label, ButtonLook look) {
    cairo_save(cr);
    const double r = std::min(9.0, h / 2 - 1);
    // Soft drop shadow, then the rim, then the face.
    RoundedRect(cr, x + 1.5, y + 2, w - 2.5, h - 2.5, r);
    SetColor(cr, WithAlpha(ui::kShadow, 0.55));
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 2, h - 2, r);
    const Color rimTop = look.highlighted ? Hex(0xFFE9A8) : ui::kBrassLight;
    const Color rimBottom = look.highlighted ? Hex(0x9A5A10) : ui::kBrassDark;
    FillVertical(cr, y, y + h, rimTop, rimBottom);
    RoundedRect(cr, x + 2, y + 2, w - 5, h - 5, r - 1.5);
    Color faceTop = look.highlighted ? Hex(0xFFD36A) : Hex(0x46618E);
    Color faceMid = look.highlighted ? Hex(0xF0A632) : Hex(0x2A3D62);
    Color faceBottom = look.highlighted ? Hex(0xC7781A) : Hex(0x1B2A46);
    if (look.pressed) {
        faceTop = Hex(0x15213A);
        faceMid = Hex(0x22345A);
        faceBottom = Hex(0x31487A);
    }
    FillVertical(cr, y + 2, y + h - 3, faceTop, faceMid, 0.5, faceBottom);
    // Glossy upper half.
    RoundedRect(cr, x + 3, y + 3, w - 7, (h - 6) * 0.45, r - 2.5);
    SetColor(cr, WithAlpha(Hex(0xFFFFFF), look.pressed ? 0.04 : look.highlighted ? 0.28 : 0.12));
    cairo_fill(cr);

    const Color ink = look.highlighted ? Hex(0x3A1E04) : ui::kInk;
    const Color shade = look.highlighted ? WithAlpha(Hex(0xFFF2C8), 0.7) : WithAlpha(ui::kShadow, 0.9);
    const double iconSize = look.icon == Icon::None ? 0 : std::min(16.0, h - 14);
    const double gap = iconSize > 0 ? 7 : 0;
    double size = FitSize(cr, Face::SansBold, label, look.fontSize, w - 14 - iconSize - gap);
    SelectFace(cr, Face::SansBold, size);
    const double textW = TextWidth(cr, label);
    const double total = iconSize + gap + textW;
    const double left = x + (w - 1 - total) / 2;
    const double cy = y + (h - 1) / 2 + (look.pressed ? 1 : 0);
    if (iconSize > 0) {
        DrawIcon(cr, look.icon, left + iconSize / 2 + 0.8, cy + 0.8, iconSize, shade);
        DrawIcon(cr, look.icon, left + iconSize / 2, cy, iconSize, ink);
    }
    SelectFace(cr, Face::SansBold, size);
    CenteredTextShadow(cr, label, left + iconSize + gap + textW / 2, cy, ink, shade);
    cairo_restore(cr);
}

void DrawPlaque(cairo_t* cr, double x, double y, double w, double h, const char* text, bool highlighted) {
    cairo_save(cr);
    RoundedRect(cr, x + 1.5, y + 2, w - 2.5, h - 2.5, 6);
    SetColor(cr, WithAlpha(ui::kShadow, 0.6));
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 2, h - 2, 6);
    FillVertical(cr, y, y + h, highlighted ? Hex(0xFFF0B8) : ui::kBrassLight, highlighted ? Hex(0xB06810) : ui::kBrassDark);
    RoundedRect(cr, x + 3, y + 3, w - 7, h - 7, 4);
    if (highlighted)
        FillVertical(cr, y + 3, y + h - 4, Hex(0xFFDE80), Hex(0xE09028));
    else
        FillVertical(cr, y + 3, y + h - 4, Hex(0x2A1C10), Hex(0x4A3218));
    for (double sx : {x + 10, x + w - 12}) {
        cairo_arc(cr, sx, y + h / 2 - 0.5, 3, 0, 2 * M_PI);
        FillRadial(cr, sx - 1, y + h / 2 - 1.5, 4, ui::kBrassLight, ui::kBrassDark);
        cairo_move_to(cr, sx - 2, y + h / 2 - 0.5);
        cairo_line_to(cr, sx + 2, y + h / 2 - 0.5);
        cairo_set_line_width(cr, 0.9);
        SetColor(cr, Darker(ui::kBrassDark, 0.4));
        cairo_stroke(cr);
    }
    const double size = FitSize(cr, Face::SerifBold, text, 18, w - 40);
    SelectFace(cr, Face::SerifBold, size);
    const Color ink = highlighted ? Hex(0x3A1A02) : ui::kBrassLight;
    const Color shade = highlighted ? WithAlpha(Hex(0xFFF6D0), 0.8) : WithAlpha(Hex(0x000000), 0.8);
    CenteredTextShadow(cr, text, x + (w - 1) / 2, y + (h - 1) / 2, ink, shade);
    cairo_restore(cr);
}
