// Builds every picture and writes the six files.
#include "pictures.h"

#include <cstdio>
#include <cstdlib>

#include "generator.h"

void CopyRegion(Canvas& dst, const char* dstName, const Canvas& src, int sx, int sy) {
    const AtlasRegion& r = Region(dstName);
    dst.CopyFrom(src, sx, sy, r.w, r.h, r.x, r.y);
}

void PaintModeTitle(Canvas& c, int x, int y, const char* text, bool highlighted) {
    Pen pen(c);
    DrawPlaque(pen, x, y, 202, 38, text, highlighted);
}

std::unique_ptr<PictureSet> BuildPictures() {
    auto set = std::make_unique<PictureSet>();
    // The full-screen pictures are dithered before anything is copied from
    // them; the background image's pictures at their places on screen, the
    // wholesale regions first (a picture inside one is then already settled).
    PaintZast(set->zast);
    set->zast.Dither(0, 0, 800, 600, 0, 0);
    PaintRec(set->rec);
    set->rec.Dither(0, 0, 800, 600, 0, 0);
    PaintBack(set->back, set->zast, set->rec);
    for (const char* wholesale : {"top_bar", "right_column", "panel_head"}) {
        const AtlasRegion& r = Region(wholesale);
        set->back.Dither(r.x, r.y, r.w, r.h, r.destX, r.destY);
    }
    for (const AtlasRegion& r : AtlasRegions())
        if (r.file == PictureFile::Back && r.destX >= 0 && (r.use == RegionUse::Opaque || r.use == RegionUse::CopyOpen))
            set->back.Dither(r.x, r.y, r.w, r.h, r.destX, r.destY);
    for (int i = 0; i < 3; ++i) {
        set->skins[i] = std::make_unique<Canvas>(800, 148);
        PaintSkin(*set->skins[i], i, set->back, set->zast);
    }
    return set;
}

void WritePictures(const std::string& folder) {
    const auto set = BuildPictures();
    const struct {
        const char* name;
        const Canvas& canvas;
    } files[] = {{"back.wrk", set->back}, {"zast.wrk", set->zast}, {"rec.wrk", set->rec},
                 {"01.skn", *set->skins[0]}, {"02.skn", *set->skins[1]}, {"03.skn", *set->skins[2]}};
    for (const auto& f : files) {
        if (!WriteFile(folder + f.name, f.canvas.BmpBytes())) {
            std::fprintf(stderr, "torvanex-assets: cannot write %s%s\n", folder.c_str(), f.name);
            std::exit(1);
        }
    }
}
