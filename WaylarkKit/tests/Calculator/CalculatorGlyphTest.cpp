#include "WaylarkKit/Calculator/CalculatorGlyph.h"

#include <gtest/gtest.h>

namespace WaylarkKit {
namespace {

using IslandKit::Rect;

TEST(CalculatorGlyphTest, Shape) {
    const CalculatorGlyph glyph = CalculatorGlyph::shape();
    EXPECT_EQ(glyph.body, (Rect{1, 0.5, 11, 13}));
    EXPECT_EQ(glyph.display, (Rect{3, 2.5, 7, 2.6}));
    const double xs[] = {3, 5.75, 8.5};
    const double ys[] = {7.1, 10.3};
    for (int k = 0; k < 6; ++k) {
        const Rect& key = glyph.keys[static_cast<std::size_t>(k)];
        EXPECT_DOUBLE_EQ(key.x, xs[k % 3]);
        EXPECT_NEAR(key.y, ys[k / 3], 1e-12);
        EXPECT_EQ(key.size(), (IslandKit::Size{1.5, 1.5}));
    }
    // Only the body, the display's width and the pitch follow the canvas.
    const CalculatorGlyph wide = CalculatorGlyph::shape(21, 14);
    EXPECT_EQ(wide.display, (Rect{3, 2.5, 15, 2.6}));
    EXPECT_DOUBLE_EQ(wide.keys[2].maxX(), wide.display.maxX());
    EXPECT_NEAR(wide.keys[3].y, 10.3, 1e-12);
}

}  // namespace
}  // namespace WaylarkKit
