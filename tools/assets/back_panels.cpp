// back.wrk, the interface half: top bar, right column, panel head, every
// button in both looks, the digit panels and glyphs, the colour samples.
#include <cmath>
#include <cstdio>

#include "pictures.h"

namespace {

struct ButtonSpec {
    const char* normal;
    const char* highlighted;  // nullptr: no highlighted picture
    const char* label;
    Icon icon;
    double fontSize;
};

constexpr ButtonSpec kTopButtons[] = {
    {"button_help", "button_help_hl", "Help", Icon::Help, 16},
    {"button_sound", "button_sound_hl", "Sound", Icon::Sound, 15},
    {"button_music", "button_music_hl", "Music", Icon::Music, 15},
    {"button_minimise", "button_minimise_hl", "Minimize", Icon::Minimise, 14},
    {"button_exit", "button_exit_hl", "Exit", Icon::Exit, 15},
};

constexpr ButtonSpec kColumnButtons[] = {
    {"button_newgame", "button_newgame_hl", "New game", Icon::NewGame, 17},
    {"button_speed", "button_speed_hl", "Speed", Icon::Speed, 16},
    {"button_level", "button_level_hl", "Level", Icon::Level, 15},
    {"button_stop", "button_stop_hl", "Stop", Icon::Stop, 16},
    {"button_skin", "button_skin_hl", "Skin", Icon::Skin, 16},
};

void DrawButtonAt(Canvas& c, const char* name, const ButtonSpec& b, bool highlighted) {
    const AtlasRegion& r = Region(name);
    Pen pen(c);
    DrawButton(pen, r.x, r.y, r.w, r.h, b.label, {highlighted, false, b.fontSize, b.icon});
}

// Both looks of a button: the highlighted picture gets the same backdrop the
// normal one has, so swapping them changes only the button itself.
void PairedButton(Canvas& c, const ButtonSpec& b) {
    const AtlasRegion& n = Region(b.normal);
    if (b.highlighted) CopyRegion(c, b.highlighted, c, n.x, n.y);
    DrawButtonAt(c, b.normal, b, false);
    if (b.highlighted) DrawButtonAt(c, b.highlighted, b, true);
}

void PaintTopBar(Canvas& c) {
    Pen pen(c);
    cairo_rectangle(pen, 0, 0, 800, 65);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 65);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.23, 0.31, 0.46);
    cairo_pattern_add_color_stop_rgb(p, 0.08, 0.17, 0.24, 0.37);
    cairo_pattern_add_color_stop_rgb(p, 0.85, 0.08, 0.12, 0.2);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.06, 0.09, 0.15);
    cairo_set_source(pen, p);
    cairo_fill(pen);
    cairo_pattern_destroy(p);
    // Rivet line and brass trim along the lower edge.
    cairo_rectangle(pen, 0, 59, 800, 3);
    FillVertical(pen, 59, 62, ui::kBrassLight, ui::kBrassDark);
    cairo_rectangle(pen, 0, 62, 800, 3);
    SetColor(pen, Hex(0x0C121E));
    cairo_fill(pen);
    for (int x = 8; x < 800; x += 40) {
        cairo_arc(pen, x + 0.5, 5.5, 1.6, 0, 2 * M_PI);
        FillRadial(pen, x, 5, 2.5, Hex(0x8AA0C4), Hex(0x1A2640));
    }
    // Recessed wells behind the buttons.
    for (const ButtonSpec& b : kTopButtons) {
        const AtlasRegion& r = Region(b.normal);
        RoundedRect(pen, r.x - 3.5, r.y - 3.5, r.w + 6, r.h + 6, 11);
        SetColor(pen, WithAlpha(Hex(0x050A14), 0.35));
        cairo_fill(pen);
    }
    // The game's name engraved in the empty stretch between Minimize and Exit.
    SelectFace(pen, Face::SerifBold, 26);
    CenteredText(pen, "TORVANEX", 603, 31, WithAlpha(Hex(0x05080F), 0.8));
    CenteredText(pen, "TORVANEX", 601, 29, ui::kBrass);
    SelectFace(pen, Face::Sans, 9);
    CenteredText(pen, "conduit puzzles", 602, 48, Hex(0x8090B0));
}

}  // namespace

void PaintColumnBackdrop(Canvas& c) {
    const AtlasRegion& col = Region("right_column");
    Pen pen(c);
    cairo_rectangle(pen, col.x, col.y, col.w, col.h);
    FillVertical(pen, col.y, col.y + col.h, Hex(0x22324F), Hex(0x172238));
    Bevel(pen, col.x, col.y, col.w, col.h, Hex(0x4A5E86), Hex(0x0B1220), 2);
    // Grooves between the button bands.
    for (int y : {198, 255, 308, 360, 419}) {
        cairo_rectangle(pen, 10, y, 215, 1);
        SetColor(pen, Hex(0x0D1526));
        cairo_fill(pen);
        cairo_rectangle(pen, 10, y + 1, 215, 1);
        SetColor(pen, Hex(0x33466C));
        cairo_fill(pen);
    }
}

namespace {

// A sunken display window (score, speed, level); top rows plain so the head
// copy and the later redraw of the score join without a seam.
void DisplayWindow(Canvas& c, int x, int y, int w, int h) {
    Pen pen(c);
    cairo_rectangle(pen, x, y, w, h);
    SetColor(pen, Hex(0x081010));
    cairo_fill(pen);
    cairo_rectangle(pen, x + 1, y + 1, w - 2, h - 2);
    FillVertical(pen, y + 1, y + h - 1, Hex(0x0C1A19), Hex(0x132826));
    Bevel(pen, x, y, w, h, Hex(0x060C0C), Hex(0x4E6A8E));
    cairo_rectangle(pen, x + 2, y + 2, w - 4, 3);
    SetColor(pen, WithAlpha(Hex(0xFFFFFF), 0.05));
    cairo_fill(pen);
}

constexpr Rgb kHeadFill{32, 44, 72};  // on the 16-bit grid: plain after dithering

void PaintHead(Canvas& c) {
    const AtlasRegion& head = Region("panel_head");
    c.Fill(head.x, head.y, head.w, head.h, kHeadFill);
    {
        Pen pen(c);
        Bevel(pen, head.x, head.y, head.w, head.h, Hex(0x4A5E86), Hex(0x0B1220), 2);
        SelectFace(pen, Face::SerifBold, 15);
        CenteredTextShadow(pen, "SCORE", 286, 159, ui::kBrassLight, Hex(0x05080F));
        cairo_set_line_width(pen, 1);
        SetColor(pen, ui::kBrass);
        cairo_move_to(pen, 251, 170.5);
        cairo_line_to(pen, 321, 170.5);
        cairo_stroke(pen);
    }
    // Window rows 147..171 only; 144..146 and 172..174 keep the plain fill.
    const AtlasRegion& score = Region("score_panel_bg");
    DisplayWindow(c, score.x, score.y + 3, score.w, score.h - 3);
}

void PaintPanelsInColumn(Canvas& c) {
    const AtlasRegion& speed = Region("speed_panel_bg");
    const AtlasRegion& level = Region("level_glyph_bg");
    DisplayWindow(c, speed.x, speed.y, speed.w, speed.h);
    DisplayWindow(c, level.x, level.y, level.w, level.h);
}

// Digits glow amber on the display windows; they are keyed, so their edges
// are blended into the window colour and the rest left black.
void Glyph(Canvas& c, const char* name, const char* text, int leftMargin) {
    const AtlasRegion& r = Region(name);
    Sprite s(r.w, r.h);
    {
        Pen pen(s.Surface());
        const double width = r.w - leftMargin - 2;
        cairo_save(pen);
        SelectFace(pen, Face::SansBold, 24);
        cairo_text_extents_t e;
        cairo_text_extents(pen, text, &e);
        const double sy = 18.0 / e.height;
        const double sx = std::min(sy * 1.15, width / e.width);
        cairo_translate(pen, leftMargin + 1 + (width - e.width * sx) / 2 - e.x_bearing * sx, 5 - e.y_bearing * sy);
        cairo_scale(pen, sx, sy);
        cairo_move_to(pen, 0, 0);
        cairo_text_path(pen, text);
        cairo_restore(pen);
        cairo_set_line_width(pen, 2.2);
        SetColor(pen, WithAlpha(ui::kAmber, 0.45));
        cairo_stroke_preserve(pen);
        FillVertical(pen, 5, 23, Hex(0xFFE6A0), Hex(0xFF9A1E));
    }
    Canvas matte(r.w, r.h);
    matte.Fill(0, 0, r.w, r.h, {14, 32, 30});
    s.StampKeyed(c, r.x, r.y, matte, 0, 0, 120);
}

void PaintGlyphs(Canvas& c) {
    static const char* const kDigits[] = {"digit_0", "digit_1", "digit_2", "digit_3", "digit_4",
                                          "digit_5", "digit_6", "digit_7", "digit_8", "digit_9"};
    for (int d = 0; d < 10; ++d) {
        const char text[2] = {static_cast<char>('0' + d), 0};
        // The two left columns of 0 must stay black: five zeros overhang the panel.
        Glyph(c, kDigits[d], text, d == 0 ? 3 : 1);
    }
    Glyph(c, "level_glyph_0", "1", 1);
    Glyph(c, "level_glyph_1", "2", 1);
}

// Pictures that sit on the start picture (give-up, home bar) take its pixels
// as their backdrop.
void PaintZastButtons(Canvas& c, const Canvas& zast) {
    CopyRegion(c, "giveup_blank", zast, 90, 547);
    CopyRegion(c, "button_giveup", zast, 90, 547);
    CopyRegion(c, "button_giveup_hl", zast, 90, 547);
    CopyRegion(c, "button_home", zast, 279, 563);
    CopyRegion(c, "button_home_hl", zast, 279, 563);
    const ButtonSpec giveUp{"button_giveup", "button_giveup_hl", "Give up", Icon::GiveUp, 16};
    const ButtonSpec home{"button_home", "button_home_hl", "Torvanex manual", Icon::Home, 14};
    for (const ButtonSpec* b : {&giveUp, &home}) {
        for (bool hl : {false, true}) {
            const AtlasRegion& r = Region(hl ? b->highlighted : b->normal);
            Pen pen(c);
            const double inset = b == &giveUp ? 5 : 0;
            DrawButton(pen, r.x + inset, r.y + inset, r.w - 2 * inset, r.h - 2 * inset, b->label, {hl, false, b->fontSize, b->icon});
        }
    }
}

void PaintModeTitles(Canvas& c) {
    const AtlasRegion& home = Region("mode_title_0");
    for (const char* name : {"mode_title_1", "mode_title_2", "mode_title_0_hl", "mode_title_1_hl"})
        CopyRegion(c, name, c, home.x, home.y);
    const struct {
        const char* name;
        const char* text;
        bool hl;
    } titles[] = {{"mode_title_0", "Twist Conduits", false}, {"mode_title_1", "Lash Tiles", false},
                  {"mode_title_2", "Conduit Sage", false},   {"mode_title_0_hl", "Twist Conduits", true},
                  {"mode_title_1_hl", "Lash Tiles", true}};
    for (const auto& t : titles) {
        const AtlasRegion& r = Region(t.name);
        PaintModeTitle(c, r.x, r.y, t.text, t.hl);
    }
}

void PaintNameEntryButtons(Canvas& c) {
    const Rgb fill = ColourEntry(24);
    for (const char* name : {"ok_normal", "ok_pressed", "cancel_normal", "cancel_pressed"}) {
        const AtlasRegion& r = Region(name);
        c.Fill(r.x, r.y, r.w, r.h, fill);
    }
    Pen pen(c);
    // OK normal is 33 rows and OK pressed 32, sharing row 378: that row stays
    // box fill, the pressed face sits one row lower.
    DrawButton(pen, 235, 346, 58, 32, "OK", {false, false, 15, Icon::None});
    DrawButton(pen, 235, 379, 58, 31, "OK", {false, true, 15, Icon::None});
    DrawButton(pen, 297, 350, 93, 24, "Cancel", {false, false, 13, Icon::None});
    DrawButton(pen, 297, 384, 93, 23, "Cancel", {false, true, 13, Icon::None});
}

void PaintColourRow(Canvas& c) {
    const AtlasRegion& r = Region("colour_sample_row");
    for (int i = 0; i < 32; ++i) c.Set(r.x + i, r.y, ColourEntry(i));
}

}  // namespace

Rgb ColourEntry(int index) {
    switch (index) {
        case 0: return {24, 32, 72};      // typed name, on the text box fill
        case 4: return {96, 100, 116};    // text box dark edge
        case 5: return {252, 250, 242};   // text box light edge
        case 6: return {238, 232, 212};   // text box fill
        case 7: return {12, 16, 26};      // shadow under text
        case 20: return {242, 234, 204};  // prompt and help lines
        case 21: return {238, 232, 212};  // = entry 6: the typed-letter cell blends into the box
        case 22: return {255, 206, 100};  // score screen titles
        case 23: return {255, 220, 132};  // "Top Scores"
        case 24: return {38, 54, 88};     // name box fill
        case 25: return {124, 152, 204};  // name box light edge
        case 26: return {12, 18, 34};     // name box dark edge
        case 27: return {255, 192, 72};   // piece counts
        case 28: return {200, 212, 232};  // notices
        case 29: return {200, 152, 72};   // next-mode box edges
        case 30: return {248, 234, 192};  // next-mode box fill (black text)
        default: {
            // Unused samples: a quiet ramp, never black.
            const int t = index * 8;
            return {static_cast<uint8_t>(40 + t), static_cast<uint8_t>(60 + t / 2), static_cast<uint8_t>(90 + t / 3)};
        }
    }
}

void PaintBackInterface(Canvas& c, const Canvas& zast) {
    PaintTopBar(c);
    PaintColumnBackdrop(c);
    PaintPanelsInColumn(c);
    PaintHead(c);
    for (const ButtonSpec& b : kTopButtons) PairedButton(c, b);
    for (const ButtonSpec& b : kColumnButtons) PairedButton(c, b);
    PaintModeTitles(c);
    PaintGlyphs(c);
    PaintZastButtons(c, zast);
    PaintNameEntryButtons(c);
    PaintColourRow(c);
}
