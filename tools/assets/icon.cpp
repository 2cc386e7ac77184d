// The icon is a closed loop of four lit corner pieces on a slate tile, the
// moment the game is about: a loop that closes. It is drawn in unit space and
// scaled, so every size and the scalable version are one drawing; the smallest
// sizes leave out the detail that would only blur.
#include "icon.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <vector>

#include "data_out.h"
#include "paint.h"
#include "skin_art.h"

namespace {

constexpr int kPngSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kWindowIconSize = 64;

// The loop runs through the centres of a 2 x 2 block of cells.
constexpr double kLoopIn = 0.29, kLoopOut = 0.71;

void LoopPath(cairo_t* cr) {
    RoundedRect(cr, kLoopIn, kLoopIn, kLoopOut - kLoopIn, kLoopOut - kLoopIn, (kLoopOut - kLoopIn) / 2 * 0.92);
}

void StrokeLoop(cairo_t* cr, Color color, double width) {
    LoopPath(cr);
    SetColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// `pixels`: the size it will be seen at (0 for the scalable one).
void DrawGameIcon(cairo_t* cr, double size, int pixels) {
    const SkinStyle& s = SkinStyleOf(0);
    const bool small = pixels != 0 && pixels <= 24;
    cairo_save(cr);
    cairo_scale(cr, size, size);

    // The tile: four slate cells of the board in a dark rim, the grout between them.
    const double inset = small ? 0.02 : 0.04;
    RoundedRect(cr, inset, inset, 1 - 2 * inset, 1 - 2 * inset, 0.16);
    FillVertical(cr, inset, 1 - inset, s.groutDark, Darker(s.groutDark, 0.3));
    const double rim = small ? 0.07 : 0.085, gap = small ? 0.03 : 0.025;
    const double cell = (1 - 2 * rim - gap) / 2;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const double x = rim + col * (cell + gap), y = rim + row * (cell + gap);
            // The outer corners follow the tile's rounding.
            RoundedRect(cr, x, y, cell, cell, small ? 0.05 : 0.08);
            FillVertical(cr, y, y + cell, Lighter(s.cellTop, 0.06), s.cellBottom, true);
            if (small) {
                cairo_new_path(cr);
                continue;
            }
            SetColor(cr, WithAlpha(s.groutLight, 0.55));
            cairo_set_line_width(cr, 0.01);
            cairo_stroke(cr);
        }
    }

    // The glow of a loop that has just closed, then the pipe itself, shaded
    // as the pieces on the board are.
    const double tube = small ? 0.2 : 0.17;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (!small) {
        StrokeLoop(cr, WithAlpha(s.glow, 0.18), tube * 2.0);
        StrokeLoop(cr, WithAlpha(s.glow, 0.25), tube * 1.5);
    }
    StrokeLoop(cr, s.lit.outline, tube * 1.2);
    StrokeLoop(cr, s.lit.dark, tube);
    StrokeLoop(cr, s.lit.mid, tube * 0.62);
    if (!small) {
        cairo_save(cr);
        cairo_translate(cr, -0.018, -0.018);
        StrokeLoop(cr, WithAlpha(s.lit.light, 0.85), tube * 0.18);
        cairo_restore(cr);

        // Collars where the four corner pieces meet, at the cells' edges.
        const double c = 0.5, h = tube * 1.1, w = 0.055;
        const double joints[4][3] = {{c, kLoopIn, 0}, {kLoopOut, c, 1}, {c, kLoopOut, 0}, {kLoopIn, c, 1}};
        for (const auto& j : joints) {
            const bool across = j[2] == 0;
            const double jw = across ? w : h, jh = across ? h : w;
            RoundedRect(cr, j[0] - jw / 2, j[1] - jh / 2, jw, jh, 0.01);
            FillVertical(cr, j[1] - jh / 2, j[1] + jh / 2, Lighter(s.collar, 0.3), Darker(s.collar, 0.35), true);
            SetColor(cr, s.lit.outline);
            cairo_set_line_width(cr, 0.008);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            std::fprintf(stderr, "torvanex-assets: cannot make %s\n", path.c_str());
            std::exit(1);
        }
    }
}

cairo_surface_t* Render(int pixels) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
    cairo_t* cr = cairo_create(surface);
    DrawGameIcon(cr, pixels, pixels);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

void WritePng(const std::string& path, int pixels) {
    cairo_surface_t* surface = Render(pixels);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "torvanex-assets: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

void WriteSvg(const std::string& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), 256, 256);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    DrawGameIcon(cr, 256, 0);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "torvanex-assets: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// A bottom-up 32-bit bitmap with a version-4 header, whose masks name the
// alpha channel: the form SDL's bitmap reader takes with transparency.
void WriteWindowIcon(const std::string& path) {
    const int n = kWindowIconSize;
    cairo_surface_t* surface = Render(n);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    constexpr uint32_t kHeaderBytes = 14 + 108;
    const uint32_t imageBytes = static_cast<uint32_t>(n * n * 4);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    data_out::PutU32(out, kHeaderBytes + imageBytes);
    data_out::PutU32(out, 0);
    data_out::PutU32(out, kHeaderBytes);
    data_out::PutU32(out, 108);
    data_out::PutU32(out, static_cast<uint32_t>(n));
    data_out::PutU32(out, static_cast<uint32_t>(n));
    data_out::PutU16(out, 1);
    data_out::PutU16(out, 32);
    data_out::PutU32(out, 3);  // bit fields
    data_out::PutU32(out, imageBytes);
    data_out::PutU32(out, 2835);
    data_out::PutU32(out, 2835);
    data_out::PutU32(out, 0);
    data_out::PutU32(out, 0);
    data_out::PutU32(out, 0x00FF0000u);
    data_out::PutU32(out, 0x0000FF00u);
    data_out::PutU32(out, 0x000000FFu);
    data_out::PutU32(out, 0xFF000000u);
    data_out::PutU32(out, 0x73524742u);  // sRGB
    for (int i = 0; i < 12; ++i) data_out::PutU32(out, 0);  // end points and gamma, unused with sRGB
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            uint32_t argb;
            std::memcpy(&argb, pixels + y * stride + x * 4, 4);
            // Cairo keeps colours multiplied by alpha; the bitmap keeps them plain.
            const uint32_t a = argb >> 24;
            auto plain = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            const uint32_t r = plain((argb >> 16) & 0xFF), g = plain((argb >> 8) & 0xFF), b = plain(argb & 0xFF);
            data_out::PutU32(out, a << 24 | r << 16 | g << 8 | b);
        }
    }
    cairo_surface_destroy(surface);
    data_out::WriteBytes(path, out);
}

}  // namespace

void WriteIcons(const std::string& folder) {
    MakeFolder(folder + "icons");
    for (const int pixels : kPngSizes) WritePng(folder + "icons/torvanex-" + std::to_string(pixels) + ".png", pixels);
    WriteSvg(folder + "icons/torvanex.svg");
    WriteWindowIcon(folder + "torvanex.bmp");
}
