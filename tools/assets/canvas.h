// A picture being drawn: a Cairo surface plus the pixels that must stay pure
// black (holes of keyed pictures and areas the game overwrites at run time).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rgb.h"


class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas(Canvas&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_surface_t* Surface() const { return surface_; }

    // Set and Fill make pixels ordinary again; drawing with a Pen does not, so
    // holes are made after the drawing around them.
    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    void Fill(int x, int y, int w, int h, Rgb c);
    void CopyFrom(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
    // Rounds the block to the game's 16-bit colours with an ordered dither,
    // its pixel (x, y) landing on screen at (screenX, screenY); holes stay.
    void Dither(int x, int y, int w, int h, int screenX, int screenY);
    // Pure black that the writer keeps black.
    void MakeHoles(int x, int y, int w, int h);
    void MakeHole(int x, int y);
    bool IsHole(int x, int y) const { return hole_[static_cast<size_t>(y) * width_ + x] != 0; }

    // The file as the game reads it: holes black, every other near-black pixel
    // lifted so that no 16-bit conversion turns it into the key colour.
    Rgb Final(int x, int y) const;
    std::vector<uint8_t> BmpBytes() const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    std::vector<uint8_t> hole_;
};

// Draws with Cairo on a canvas (or a sprite) for one scope.
class Pen {
public:
    explicit Pen(const Canvas& canvas) : cr_(cairo_create(canvas.Surface())) {}
    explicit Pen(cairo_surface_t* surface) : cr_(cairo_create(surface)) {}
    ~Pen() {
        cairo_surface_flush(cairo_get_target(cr_));
        cairo_destroy(cr_);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    operator cairo_t*() const { return cr_; }

private:
    cairo_t* cr_;
};

// A keyed picture is drawn with alpha, then laid on the canvas: clearly
// covered pixels take the colour over the matte beneath, the rest become holes.
class Sprite {
public:
    Sprite(int width, int height);
    ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;
    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // matte(x, y) is the colour the edges blend into.
    void StampKeyed(Canvas& dst, int dx, int dy, const Canvas& matte, int mx, int my, int minAlpha = 110) const;
    void StampOver(Canvas& dst, int dx, int dy) const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
};

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
