// Where the game's 800x600 picture lies in a window of any size: scaled as
// large as fits with its proportions kept, black bars around, each window
// pixel showing its nearest picture pixel (whole multiples come out as exact
// blocks). Pointer positions go back through the same mapping, so a click
// lands on the picture pixel the player sees under the pointer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform::sdl {

class Letterbox {
public:
    // Both sizes in pixels; nothing is shown while either is empty.
    void Fit(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight);

    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    int WindowWidth() const { return windowWidth_; }
    int WindowHeight() const { return windowHeight_; }
    // The scaled picture, in window pixels.
    Rect Shown() const { return {left_, top_, left_ + width_, top_ + height_}; }

    // The picture pixel shown at a window pixel; over the bars, the nearest
    // edge of the picture.
    void ToPicture(int windowX, int windowY, int& x, int& y) const;
    // A window pixel that shows picture pixel (x, y): the middle of its block,
    // or the nearest shown one when scaling down skips it.
    void ToWindow(int x, int y, int& windowX, int& windowY) const;
    // The window pixels that show any of a picture rectangle (empty when
    // scaling down skips all of it).
    Rect WindowRectOf(const Rect& picture) const;

    // Window pixels of the rectangle `shown` (from WindowRectOf) become the
    // picture's pixels: 2 bytes each straight from the picture, or 4 (or 2)
    // through `table` when it is given. `out` addresses the window's pixel (0, 0).
    void Draw(const uint16_t* picture, const Rect& shown, uint8_t* out, int outPitch, int bytesPerPixel,
              const uint32_t* table) const;

private:
    int pictureWidth_ = 0, pictureHeight_ = 0;
    int windowWidth_ = 0, windowHeight_ = 0;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::vector<int> sourceColumn_;  // per shown column: the picture column
    std::vector<int> sourceRow_;
    std::vector<int> firstColumn_;   // per picture column, and one past: the first shown column at or after it
    std::vector<int> firstRow_;
};

}  // namespace platform::sdl
