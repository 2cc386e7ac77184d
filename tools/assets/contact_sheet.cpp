// The contact sheet: every picture at twice its size with the atlas regions
// outlined and named, plus the screens composed as the game composes them.
#include <cstdio>
#include <string>

#include "compose.h"
#include "generator.h"

namespace {

constexpr int kScale = 2;
constexpr int kMargin = 24;

void PutScaled(cairo_t* cr, const Canvas& c, double x, double y, int scale) {
    // Draw the pixels the game sees (holes black, dark pixels lifted).
    Canvas final(c.Width(), c.Height());
    for (int j = 0; j < c.Height(); ++j)
        for (int i = 0; i < c.Width(); ++i) final.Set(i, j, c.Final(i, j));
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, final.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

Color UseColour(RegionUse use) {
    switch (use) {
        case RegionUse::Opaque: return Hex(0x40FF60);
        case RegionUse::Keyed: return Hex(0xFF40FF);
        case RegionUse::CopyOpen: return Hex(0x40C0FF);
        case RegionUse::RuntimeBlack: return Hex(0xFF4040);
        case RegionUse::NeverDrawn: return Hex(0x808080);
        case RegionUse::Reference: return Hex(0xFFFF40);
        case RegionUse::Area: return Hex(0xFFA040);
    }
    return Hex(0xFFFFFF);
}

void Outline(cairo_t* cr, PictureFile file, double ox, double oy) {
    SelectFace(cr, Face::Condensed, 9);
    for (const AtlasRegion& r : AtlasRegions()) {
        if (r.file != file) continue;
        const Color col = UseColour(r.use);
        cairo_rectangle(cr, ox + r.x * kScale + 0.5, oy + r.y * kScale + 0.5, r.w * kScale - 1, r.h * kScale - 1);
        SetColor(cr, WithAlpha(col, 0.85));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_move_to(cr, ox + r.x * kScale + 3, oy + r.y * kScale + 10);
        cairo_text_path(cr, r.name);
        SetColor(cr, Hex(0x000000));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke_preserve(cr);
        SetColor(cr, col);
        cairo_fill(cr);
    }
}

bool WritePng(const Canvas& c, const std::string& path) {
    return cairo_surface_write_to_png(c.Surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

void WriteContactSheet(const std::string&, const std::string& pngPath) {
    const auto set = BuildPictures();
    const struct {
        const char* title;
        const Canvas* canvas;
        PictureFile file;
    } sheets[] = {{"back.wrk", &set->back, PictureFile::Back}, {"zast.wrk", &set->zast, PictureFile::Zast},
                  {"rec.wrk", &set->rec, PictureFile::Rec},    {"01.skn", set->skins[0].get(), PictureFile::Skin},
                  {"02.skn", set->skins[1].get(), PictureFile::Skin}, {"03.skn", set->skins[2].get(), PictureFile::Skin}};
    int height = kMargin;
    for (const auto& s : sheets) height += s.canvas->Height() * kScale + 2 * kMargin;
    Canvas sheet(800 * kScale + 2 * kMargin, height);
    {
        Pen pen(sheet);
        SetColor(pen, Hex(0x303030));
        cairo_paint(pen);
        double y = kMargin;
        for (const auto& s : sheets) {
            SelectFace(pen, Face::SansBold, 16);
            SetColor(pen, Hex(0xFFFFFF));
            cairo_move_to(pen, kMargin, y + 4);
            cairo_show_text(pen, s.title);
            y += kMargin;
            PutScaled(pen, *s.canvas, kMargin, y, kScale);
            Outline(pen, s.file, kMargin, y);
            y += s.canvas->Height() * kScale + kMargin;
        }
    }
    bool ok = WritePng(sheet, pngPath);
    // The composed screens beside the sheet.
    std::string stem = pngPath;
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".png") == 0) stem.resize(stem.size() - 4);
    ok = WritePng(StartScreen(*set), stem + "-start.png") && ok;
    for (int skin = 0; skin < 3; ++skin) {
        ok = WritePng(GameScreen(*set, skin), stem + "-game-0" + std::to_string(skin + 1) + ".png") && ok;
        ok = WritePng(LinesScreen(*set, skin), stem + "-lines-0" + std::to_string(skin + 1) + ".png") && ok;
    }
    if (!ok) std::fprintf(stderr, "torvanex-assets: cannot write the contact sheet %s\n", pngPath.c_str());
}
