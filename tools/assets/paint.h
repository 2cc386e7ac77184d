// Drawing vocabulary shared by every picture: colours, gradients, bevels,
// labels and the button look of the panel.
#pragma once

#include <cairo.h>

#include <cstdint>

struct Color {
    double r = 0, g = 0, b = 0, a = 1;
};

constexpr Color Hex(uint32_t rgb, double a = 1) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}
Color Mix(Color a, Color b, double t);
Color WithAlpha(Color c, double a);
inline Color Lighter(Color c, double t) { return Mix(c, Hex(0xFFFFFF, c.a), t); }
inline Color Darker(Color c, double t) { return Mix(c, Hex(0x000000, c.a), t); }

void SetColor(cairo_t* cr, Color c);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the current path with a top-to-bottom gradient.
void FillVertical(cairo_t* cr, double y0, double y1, Color top, Color bottom, bool preserve = false);
// The same through a third colour at `middleAt` (0..1) of the way down.
void FillVertical(cairo_t* cr, double y0, double y1, Color top, Color middle, double middleAt, Color bottom);
void FillRadial(cairo_t* cr, double cx, double cy, double r, Color inner, Color outer, bool preserve = false);

enum class Face { Sans, SansBold, Serif, SerifBold, Condensed, CondensedBold };
void SelectFace(cairo_t* cr, Face face, double size);
double TextWidth(cairo_t* cr, const char* text);
// Text centred on (cx, cy) by its ink box.
void CenteredText(cairo_t* cr, const char* text, double cx, double cy, Color color);
void CenteredTextShadow(cairo_t* cr, const char* text, double cx, double cy, Color color, Color shadow, double dx = 1, double dy = 1);
// Largest size not above maxSize at which text fits width.
double FitSize(cairo_t* cr, Face face, const char* text, double maxSize, double width);

// Panel colours of the interface (the back picture, the start and score screens).
namespace ui {
inline constexpr Color kNight = Hex(0x0E1626);
inline constexpr Color kPanel = Hex(0x1C2A44);
inline constexpr Color kPanelLight = Hex(0x34486E);
inline constexpr Color kPanelDark = Hex(0x111A2C);
inline constexpr Color kBrass = Hex(0xC8984A);
inline constexpr Color kBrassLight = Hex(0xF2D28A);
inline constexpr Color kBrassDark = Hex(0x7A5522);
inline constexpr Color kInk = Hex(0xECE6D6);
inline constexpr Color kShadow = Hex(0x0A0D14);
inline constexpr Color kLcd = Hex(0x0F1D1C);
inline constexpr Color kAmber = Hex(0xFFB43C);
}  // namespace ui

enum class Icon { None, Help, Sound, Music, Minimise, Exit, NewGame, Speed, Level, Stop, Skin, Home, GiveUp };

struct ButtonLook {
    bool highlighted = false;
    bool pressed = false;
    double fontSize = 15;
    Icon icon = Icon::None;
};
// A rounded button filling the rectangle (corners show what lies beneath).
void DrawButton(cairo_t* cr, double x, double y, double w, double h, const char* label, ButtonLook look);
void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double size, Color color);
// A nameplate with a screw at each end (the mode titles).
void DrawPlaque(cairo_t* cr, double x, double y, double w, double h, const char* text, bool highlighted);
// A sunken or raised bevelled box.
void Bevel(cairo_t* cr, double x, double y, double w, double h, Color light, Color dark, double width = 1);
