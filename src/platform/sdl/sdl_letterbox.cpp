#include "platform/sdl/sdl_letterbox.h"

#include <algorithm>
#include <cstring>

namespace platform::sdl {
namespace {

// Shown pixel i of `shown` covers picture pixel (i + 1/2) * picture / shown:
// the nearest one to its centre.
void MapAxis(int picture, int shown, std::vector<int>& source, std::vector<int>& first) {
    source.resize(static_cast<size_t>(shown));
    for (int i = 0; i < shown; ++i)
        source[i] = std::min(picture - 1, static_cast<int>((int64_t{2} * i + 1) * picture / (int64_t{2} * shown)));
    first.resize(static_cast<size_t>(picture) + 1);
    int i = 0;
    for (int p = 0; p <= picture; ++p) {
        while (i < shown && source[i] < p) ++i;
        first[p] = i;
    }
}

int Nearest(const std::vector<int>& first, int p, int shown) {
    const int a = first[p], b = first[p + 1];
    return a < b ? (a + b - 1) / 2 : std::min(a, shown - 1);
}

}  // namespace

void Letterbox::Fit(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight) {
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    width_ = height_ = left_ = top_ = 0;
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return;
    // The window's narrower side (relative to the picture's proportions) is filled.
    if (int64_t{windowWidth} * pictureHeight <= int64_t{windowHeight} * pictureWidth) {
        width_ = windowWidth;
        height_ = static_cast<int>((int64_t{2} * windowWidth * pictureHeight + pictureWidth) / (int64_t{2} * pictureWidth));
    } else {
        height_ = windowHeight;
        width_ = static_cast<int>((int64_t{2} * windowHeight * pictureWidth + pictureHeight) / (int64_t{2} * pictureHeight));
    }
    width_ = std::clamp(width_, 1, windowWidth);
    height_ = std::clamp(height_, 1, windowHeight);
    left_ = (windowWidth - width_) / 2;
    top_ = (windowHeight - height_) / 2;
    MapAxis(pictureWidth, width_, sourceColumn_, firstColumn_);
    MapAxis(pictureHeight, height_, sourceRow_, firstRow_);
}

void Letterbox::ToPicture(int windowX, int windowY, int& x, int& y) const {
    if (Empty()) {
        x = std::clamp(windowX, 0, std::max(0, pictureWidth_ - 1));
        y = std::clamp(windowY, 0, std::max(0, pictureHeight_ - 1));
        return;
    }
    const int dx = windowX - left_, dy = windowY - top_;
    x = dx < 0 ? 0 : dx >= width_ ? pictureWidth_ - 1 : sourceColumn_[dx];
    y = dy < 0 ? 0 : dy >= height_ ? pictureHeight_ - 1 : sourceRow_[dy];
}

void Letterbox::ToWindow(int x, int y, int& windowX, int& windowY) const {
    if (Empty()) {
        windowX = x;
        windowY = y;
        return;
    }
    windowX = left_ + Nearest(firstColumn_, std::clamp(x, 0, pictureWidth_ - 1), width_);
    windowY = top_ + Nearest(firstRow_, std::clamp(y, 0, pictureHeight_ - 1), height_);
}

Rect Letterbox::WindowRectOf(const Rect& picture) const {
    if (Empty()) return {};
    const int l = std::clamp(picture.left, 0, pictureWidth_), r = std::clamp(picture.right, 0, pictureWidth_);
    const int t = std::clamp(picture.top, 0, pictureHeight_), b = std::clamp(picture.bottom, 0, pictureHeight_);
    if (l >= r || t >= b) return {};
    return {left_ + firstColumn_[l], top_ + firstRow_[t], left_ + firstColumn_[r], top_ + firstRow_[b]};
}

void Letterbox::Draw(const uint16_t* picture, const Rect& shown, uint8_t* out, int outPitch, int bytesPerPixel,
                     const uint32_t* table) const {
    const int count = shown.right - shown.left;
    if (count <= 0 || shown.bottom <= shown.top) return;
    const int firstColumn = shown.left - left_;
    const bool sameWidth = width_ == pictureWidth_;
    for (int wy = shown.top; wy < shown.bottom; ++wy) {
        const int dy = wy - top_;
        uint8_t* row = out + static_cast<ptrdiff_t>(wy) * outPitch + static_cast<ptrdiff_t>(shown.left) * bytesPerPixel;
        // Rows that repeat a picture row are copies of the one above.
        if (wy > shown.top && sourceRow_[dy - 1] == sourceRow_[dy]) {
            std::memcpy(row, row - outPitch, static_cast<size_t>(count) * bytesPerPixel);
            continue;
        }
        const uint16_t* from = picture + static_cast<ptrdiff_t>(sourceRow_[dy]) * pictureWidth_;
        const int* column = &sourceColumn_[firstColumn];
        if (bytesPerPixel == 4) {
            auto* to = reinterpret_cast<uint32_t*>(row);
            for (int i = 0; i < count; ++i) to[i] = table[from[column[i]]];
        } else if (table) {
            auto* to = reinterpret_cast<uint16_t*>(row);
            for (int i = 0; i < count; ++i) to[i] = static_cast<uint16_t>(table[from[column[i]]]);
        } else if (sameWidth) {
            std::memcpy(row, from + firstColumn, static_cast<size_t>(count) * 2);
        } else {
            auto* to = reinterpret_cast<uint16_t*>(row);
            for (int i = 0; i < count; ++i) to[i] = from[column[i]];
        }
    }
}

}  // namespace platform::sdl
