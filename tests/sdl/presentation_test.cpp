// How the picture reaches a window of any size: the changed areas kept
// between presents, the letterboxed nearest-neighbour scaling, and pointer
// positions mapped back through it.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/common/surface_memory.h"
#include "platform/sdl/sdl_letterbox.h"

namespace {

using platform::Rect;
using platform::memory::ChangedArea;
using platform::sdl::Letterbox;

bool Covers(const ChangedArea& area, int x, int y) {
    for (int i = 0; i < area.Count(); ++i)
        if (x >= area[i].left && x < area[i].right && y >= area[i].top && y < area[i].bottom) return true;
    return false;
}

TEST(ChangedArea, MergesWhatLinesUpAndNeverLosesAChange) {
    // Rows drawn one under another become one rectangle; one inside another adds nothing.
    ChangedArea rows;
    for (int y = 0; y < 100; y += 10) rows.Add({0, y, 800, y + 10});
    rows.Add({10, 10, 20, 20});
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_TRUE(rows[0].left == 0 && rows[0].top == 0 && rows[0].right == 800 && rows[0].bottom == 100);
    rows.Add({0, 0, 0, 5});  // no pixels
    EXPECT_EQ(rows.Count(), 1);

    // Many scattered changes: the list stays short and still covers each one.
    std::mt19937 random(7);
    ChangedArea scattered;
    std::vector<Rect> added;
    for (int i = 0; i < 200; ++i) {
        const int x = static_cast<int>(random() % 780), y = static_cast<int>(random() % 580);
        const Rect r{x, y, x + 1 + static_cast<int>(random() % 20), y + 1 + static_cast<int>(random() % 20)};
        scattered.Add(r);
        added.push_back(r);
        ASSERT_LE(scattered.Count(), ChangedArea::kMaxRects);
    }
    for (const Rect& r : added)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ASSERT_TRUE(Covers(scattered, x, y)) << x << "," << y;
}

// On each screen the picture lies where it must; drawing changed areas one by
// one gives exactly the picture a whole draw gives (no seams, no gaps, at every
// pixel size); every window pixel shows the picture pixel the pointer finds
// there; and a warp to a picture pixel comes back as that pixel.
TEST(Letterbox, FillsTheScreenWithProportionsKeptAndMapsThePointerToWhatIsShown) {
    const struct { int width, height; Rect picture; } screens[] = {
        {800, 600, {0, 0, 800, 600}},      {1024, 768, {0, 0, 1024, 768}}, {1920, 1080, {240, 0, 1680, 1080}},
        {640, 480, {0, 0, 640, 480}},      {1600, 1200, {0, 0, 1600, 1200}}, {1280, 1024, {0, 32, 1280, 992}},
    };
    std::vector<uint16_t> picture(800 * 600);
    std::mt19937 random(11);
    for (uint16_t& p : picture) p = static_cast<uint16_t>(random());
    std::vector<uint32_t> table(65536);
    for (uint32_t p = 0; p < 65536; ++p) table[p] = p * 2654435761u;
    for (const auto& screen : screens) {
        SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height));
        Letterbox box;
        box.Fit(800, 600, screen.width, screen.height);
        const Rect shown = box.Shown();
        EXPECT_TRUE(shown.left == screen.picture.left && shown.top == screen.picture.top &&
                    shown.right == screen.picture.right && shown.bottom == screen.picture.bottom);
        for (const int bytes : {2, 4}) {
            const int pitch = screen.width * bytes + 8;
            std::vector<uint8_t> whole(static_cast<size_t>(pitch) * screen.height, 0), parts(whole.size(), 0);
            const uint32_t* converter = bytes == 4 ? table.data() : nullptr;
            box.Draw(picture.data(), box.WindowRectOf({0, 0, 800, 600}), whole.data(), pitch, bytes, converter);
            for (int y = 0; y < 600; y += 37)
                for (int x = 0; x < 800; x += 53)
                    box.Draw(picture.data(), box.WindowRectOf({x, y, std::min(800, x + 53), std::min(600, y + 37)}),
                             parts.data(), pitch, bytes, converter);
            ASSERT_EQ(whole, parts) << bytes << " bytes";
            for (int wy = shown.top; wy < shown.bottom; wy += 13)
                for (int wx = shown.left; wx < shown.right; wx += 17) {
                    int x = 0, y = 0;
                    box.ToPicture(wx, wy, x, y);
                    const uint8_t* at = &whole[static_cast<size_t>(wy) * pitch + static_cast<size_t>(wx) * bytes];
                    const uint16_t source = picture[static_cast<size_t>(y) * 800 + x];
                    if (bytes == 4)
                        ASSERT_EQ(*reinterpret_cast<const uint32_t*>(at), table[source]);
                    else
                        ASSERT_EQ(*reinterpret_cast<const uint16_t*>(at), source);
                }
        }
        // Scaled down, neighbouring pixels share a window pixel: a warp comes back within one.
        const int slack = screen.width < 800 ? 1 : 0;
        for (int x = 0; x < 800; x += 7)
            for (int y = 0; y < 600; y += 11) {
                int wx = 0, wy = 0, bx = 0, by = 0;
                box.ToWindow(x, y, wx, wy);
                ASSERT_TRUE(wx >= shown.left && wx < shown.right);
                box.ToPicture(wx, wy, bx, by);
                ASSERT_TRUE(std::abs(bx - x) <= slack && std::abs(by - y) <= slack) << x << "," << y;
            }
    }
}

}  // namespace
