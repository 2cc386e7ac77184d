// Composed screens for looking at the art in place.
#include "compose.h"

#include <cstdio>

#include "frontend/title_layout.h"

Canvas WorkSurface(const PictureSet& set, int skin) {
    Canvas work(800, 689);
    work.CopyFrom(set.back, 0, 0, 800, 541, 0, 0);
    work.CopyFrom(*set.skins[skin], 0, 0, 800, 148, 0, 541);
    return work;
}

void BlitOpaque(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) dst.Set(dx + x, dy + y, src.Final(sx + x, sy + y));
}

void BlitKeyed(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = src.Final(sx + x, sy + y);
            if (c.r >= 8 || c.g >= 4 || c.b >= 8) dst.Set(dx + x, dy + y, c);
        }
}

namespace {

void Label(Canvas& c, const char* text, double x, double y, double size, Rgb color, bool shadow = true) {
    Pen pen(c);
    SelectFace(pen, Face::Serif, size);
    cairo_text_extents_t cap;
    cairo_text_extents(pen, "H", &cap);
    if (shadow) {
        SetColor(pen, FromRgb(ColourEntry(7)));
        cairo_move_to(pen, x + 1, y + 1 + cap.height);
        cairo_show_text(pen, text);
    }
    SetColor(pen, FromRgb(color));
    cairo_move_to(pen, x, y + cap.height);
    cairo_show_text(pen, text);
}

constexpr int kDigitLeft[10] = {402, 428, 439, 460, 477, 498, 517, 539, 559, 580};
constexpr int kDigitRight[10] = {427, 438, 459, 476, 497, 516, 538, 558, 579, 601};

void Panels(Canvas& s, const Canvas& work, int score, int speed, int mode) {
    BlitOpaque(s, work, 0, 0, 800, 65, 0, 0);
    BlitOpaque(s, work, 0, 142, 235, 341, 537, 200);
    BlitOpaque(s, work, 235, 132, 235, 55, 537, 122);
    BlitOpaque(s, work, 170, 320, 21, 28, 707, 378);
    BlitKeyed(s, work, 614, 103, 21, 27, 707, 378);
    BlitOpaque(s, work, 170, 264, 29, 28, 707, 322);
    constexpr int kSpeedOffset[10] = {1, 3, 3, 5, 3, 4, 4, 3, 3, 4};
    BlitKeyed(s, work, kDigitLeft[speed], 103, kDigitRight[speed] - kDigitLeft[speed] + 1, 27, 707 + kSpeedOffset[speed], 322);
    BlitOpaque(s, work, 337, 144, 129, 28, 639, 137);
    int right = 766;
    do {
        const int d = score % 10;
        const int w = kDigitRight[d] - kDigitLeft[d] + 1;
        BlitKeyed(s, work, kDigitLeft[d], 103, w, 27, right - w + 1, 137);
        right -= w;
        score /= 10;
    } while (score > 0);
    const int titleX[3] = {15, 270, 472}, titleY[3] = {156, 465, 465};
    BlitOpaque(s, work, titleX[mode], titleY[mode], 202, 38, 552, 214);
    BlitOpaque(s, work, 0, 510, 257, 27, 279, 563);
}

}  // namespace

void DrawTitle(Canvas& screen, const Canvas& work) {
    for (const TitleGroup& g : kTitleGroups)
        for (const TitlePlace& p : g.places)
            BlitOpaque(screen, work, g.left, g.top, g.right - g.left + 1, g.bottom - g.top + 1, p.x, p.y);
    for (const char* name : {"title_keyed_1", "title_keyed_2"}) {
        const AtlasRegion& r = Region(name);
        BlitKeyed(screen, work, r.x, r.y, r.w, r.h, r.destX, r.destY);
    }
    Label(screen, "Top Scores", 620, 100, 17, ColourEntry(23));
}

Canvas StartScreen(const PictureSet& set) {
    const Canvas work = WorkSurface(set, 0);
    Canvas s(800, 600);
    BlitOpaque(s, set.zast, 0, 0, 800, 600, 0, 0);
    DrawTitle(s, work);
    const char* notices[] = {"Press F1 for help, Space to start.", "Left and right buttons turn pieces.",
                             "Close loops to score."};
    for (int i = 0; i < 3; ++i) Label(s, notices[i], 8, 554 + 13 * i, 10, ColourEntry(28));
    Label(s, "Version 1.0", 620, 580, 10, ColourEntry(28));
    return s;
}

Canvas GameScreen(const PictureSet& set, int skin) {
    const Canvas work = WorkSurface(set, skin);
    Canvas s(800, 600);
    BlitOpaque(s, set.zast, 0, 0, 800, 600, 0, 0);
    DrawTitle(s, work);
    Panels(s, work, 12340, 3, 2);
    uint32_t seed = 7u + static_cast<uint32_t>(skin);
    auto next = [&seed](int n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint64_t>(n)) >> 32);
    };
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 12; ++c) {
            const int x = 90 + 35 * c, y = 122 + 35 * r;
            const int roll = next(100);
            if (r < 2 && c > 8) {
                BlitOpaque(s, work, 560, 581, 35, 35, x, y);
            } else {
                int picture = next(7);
                const bool locked = picture != 0 && roll < 12;
                BlitOpaque(s, work, 35 * picture, locked ? 616 : 581, 35, 35, x, y);
            }
        }
    // A closed loop, lit: a 3 x 2 ring with one cross lit on one path.
    const int ring[6][3] = {{4, 3, 4}, {5, 3, 2}, {6, 3, 5}, {4, 4, 3}, {5, 4, 2}, {6, 4, 6}};
    for (const auto& cell : ring) BlitOpaque(s, work, 35 * (7 + cell[2]), 581, 35, 35, 90 + 35 * cell[0], 122 + 35 * cell[1]);
    BlitOpaque(s, work, 490, 581, 35, 35, 90 + 35 * 5, 122 + 35 * 6);
    BlitOpaque(s, work, 280, 616, 35, 35, 90 + 35 * 2, 122 + 35 * 6);
    BlitOpaque(s, work, 674 + 35 * skin, 471, 35, 35, 90 + 35 * 8, 122 + 35 * 8);
    BlitOpaque(s, work, 680, 247, 105, 47, 90, 547);
    BlitOpaque(s, work, 0, 651, 420, 35, 90, 77);
    BlitOpaque(s, work, 210, 581, 35, 35, 90, 77);
    BlitOpaque(s, work, 70, 581, 35, 35, 195, 77);
    BlitOpaque(s, work, 0, 581, 35, 35, 300, 77);
    Label(s, " 57", 135, 84, 17, ColourEntry(27));
    Label(s, " 61", 240, 84, 17, ColourEntry(27));
    Label(s, " 23", 345, 84, 17, ColourEntry(27));
    Label(s, "Total: 141", 405, 84, 17, {255, 255, 255});
    // The pointer over the Skin button, highlighted.
    const AtlasRegion& skinLit = Region("button_skin_hl");
    BlitOpaque(s, work, skinLit.x, skinLit.y, skinLit.w, skinLit.h, skinLit.destX, skinLit.destY);
    BlitKeyed(s, work, 0, 541, 18, 25, 640, 505);
    return s;
}

Canvas LinesScreen(const PictureSet& set, int skin) {
    const Canvas work = WorkSurface(set, skin);
    Canvas s(800, 600);
    BlitOpaque(s, set.zast, 0, 0, 800, 600, 0, 0);
    DrawTitle(s, work);
    Panels(s, work, 870, 1, 1);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 12; ++c) BlitOpaque(s, work, 36, 541, 35, 35, 90 + 35 * c, 122 + 35 * r);
    auto cell = [&](int px, int py, int c, int r) { BlitOpaque(s, work, px, py, 35, 35, 90 + 35 * c, 122 + 35 * r); };
    // A line from a block at (2,2) east to (6,2), south to (6,6), west to (4,6), crossing a vertical run.
    cell(176, 541, 2, 2);
    for (int c = 3; c < 6; ++c) cell(315, 581, c, 2);
    cell(561, 541, 6, 2);  // block linked west+south
    for (int r = 3; r < 6; ++r) cell(280, 581, 6, r);
    cell(386, 541, 6, 6);  // hmm: a block linked west+east shown for variety
    cell(315, 581, 5, 6);
    cell(245, 581, 4, 6);
    cell(246, 541, 3, 6);  // line end, linked west... shown as end
    cell(71, 541, 8, 9);
    cell(71, 541, 1, 10);
    cell(560, 616, 9, 4);
    for (int r = 4; r < 9; ++r)
        if (r != 6) cell(280, 581, 4, r);
    cell(141, 541, 4, 9);
    cell(211, 541, 4, 3);
    BlitKeyed(s, work, 0, 616, 35, 35, 90 + 35 * 8, 122 + 35 * 9);
    // Walls around (10,10).
    const int wx = 90 + 35 * 10, wy = 122 + 35 * 10;
    BlitOpaque(s, work, 527, 618, 2, 31, wx, wy + 2);
    BlitOpaque(s, work, 492, 618, 31, 2, wx + 2, wy);
    BlitOpaque(s, work, 525, 618, 2, 31, wx + 33, wy + 2);
    BlitOpaque(s, work, 492, 616, 31, 2, wx + 2, wy + 33);
    // Block gauge with 15 blocks placed: 25 marks.
    Canvas scratch(349, 8);
    for (int k = 0; k < 25; ++k) BlitOpaque(scratch, work, 416, 219, 7, 8, 576 - 8 * k - 235, 0);
    BlitOpaque(s, work, 235, 447, 349, 8, 125, 108);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 349; ++x) {
            const Rgb c = scratch.Get(x, y);
            if (c.r >= 8 || c.g >= 4 || c.b >= 8) s.Set(125 + x, 108 + y, c);
        }
    return s;
}
