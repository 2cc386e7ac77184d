// Pixel access on Cairo surfaces and the 24-bit bottom-up bitmap writer.
#include "canvas.h"

#include "dither.h"

#include <algorithm>
#include <cstdio>

namespace {

uint32_t* Row(cairo_surface_t* s, int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s));
}

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      hole_(static_cast<size_t>(width) * height, 0) {}

Canvas::~Canvas() {
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), hole_(std::move(other.hole_)) {
    other.surface_ = nullptr;
}

Rgb Canvas::Get(int x, int y) const {
    cairo_surface_flush(surface_);
    const uint32_t p = Row(surface_, y)[x];
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
}

void Canvas::Set(int x, int y, Rgb c) {
    hole_[static_cast<size_t>(y) * width_ + x] = 0;
    cairo_surface_flush(surface_);
    Row(surface_, y)[x] = 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    cairo_surface_mark_dirty(surface_);
}

void Canvas::Fill(int x, int y, int w, int h, Rgb c) {
    cairo_surface_flush(surface_);
    const uint32_t v = 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    for (int j = y; j < y + h; ++j) {
        std::fill(Row(surface_, j) + x, Row(surface_, j) + x + w, v);
        std::fill(hole_.begin() + static_cast<long>(j) * width_ + x, hole_.begin() + static_cast<long>(j) * width_ + x + w, 0);
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::CopyFrom(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    cairo_surface_flush(src.surface_);
    cairo_surface_flush(surface_);
    std::vector<uint32_t> block(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        std::copy(Row(src.surface_, sy + j) + sx, Row(src.surface_, sy + j) + sx + w, block.begin() + static_cast<long>(j) * w);
    for (int j = 0; j < h; ++j) {
        std::copy(block.begin() + static_cast<long>(j) * w, block.begin() + static_cast<long>(j + 1) * w, Row(surface_, dy + j) + dx);
        for (int i = 0; i < w; ++i)
            hole_[static_cast<size_t>(dy + j) * width_ + dx + i] = src.hole_[static_cast<size_t>(sy + j) * src.width_ + sx + i];
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::Dither(int x, int y, int w, int h, int screenX, int screenY) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (!IsHole(x + i, y + j)) Set(x + i, y + j, DitherTo565(Get(x + i, y + j), screenX + i, screenY + j));
}

void Canvas::MakeHole(int x, int y) {
    Set(x, y, {});
    hole_[static_cast<size_t>(y) * width_ + x] = 1;
}

void Canvas::MakeHoles(int x, int y, int w, int h) {
    Fill(x, y, w, h, {});
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) hole_[static_cast<size_t>(j) * width_ + i] = 1;
}

Rgb Canvas::Final(int x, int y) const {
    if (IsHole(x, y)) return {};
    Rgb c = Get(x, y);
    if (c.r < 8 && c.g < 8 && c.b < 8) c = {std::max<uint8_t>(c.r, 8), std::max<uint8_t>(c.g, 8), std::max<uint8_t>(c.b, 8)};
    return c;
}

std::vector<uint8_t> Canvas::BmpBytes() const {
    const uint32_t rowBytes = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height_);
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + imageBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<uint32_t>(width_), 4);
    PutLe(out, static_cast<uint32_t>(height_), 4);  // positive: bottom-up
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageBytes, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb c = Final(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Sprite::Sprite(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Sprite::~Sprite() { cairo_surface_destroy(surface_); }

void Sprite::StampKeyed(Canvas& dst, int dx, int dy, const Canvas& matte, int mx, int my, int minAlpha) const {
    cairo_surface_flush(surface_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = Row(surface_, y);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = row[x];
            const int a = static_cast<int>(p >> 24);
            if (a < minAlpha) {
                dst.MakeHole(dx + x, dy + y);
                continue;
            }
            const Rgb m = matte.Get(mx + x, my + y);
            auto blend = [&](int premultiplied, int under) {
                return static_cast<uint8_t>(std::min(255, premultiplied + under * (255 - a) / 255));
            };
            dst.Set(dx + x, dy + y, {blend((p >> 16) & 0xFF, m.r), blend((p >> 8) & 0xFF, m.g), blend(p & 0xFF, m.b)});
        }
    }
}

void Sprite::StampOver(Canvas& dst, int dx, int dy) const {
    Pen pen(dst);
    cairo_set_source_surface(pen, surface_, dx, dy);
    cairo_rectangle(pen, dx, dy, width_, height_);
    cairo_fill(pen);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
